#pragma once

#include "core/storage/writeresult.h"

#include <QString>

// The folder of attached files and the rules for the names a card gives its attachments.

// Documenti_Allegati under the program folder, ending in a separator.
QString attachmentFolder();

// True when name (trimmed) is a bare file name that stays inside the attachment folder: not
// empty, no path separator (neither / nor \), not "." or "..". A card read from a damaged or
// foreign registry may hold anything; only bare names are ever opened or written.
bool isBareFileName(const QString& name);

// The most bytes a card stores of an attachment's name (its File01 to File03 fields).
constexpr int kAttachmentNameBytes = 250;

// True when a card can store name (trimmed) as it is: every character is one of Windows-1252,
// the single-byte set of the registry (so not "Łódź.txt"), and it takes at most
// kAttachmentNameBytes bytes there. A name the card would store changed ("?ód?.txt", or cut
// short) would name a file that is not in the folder.
bool isStorableAttachmentName(const QString& name);

// The path of the attachment named name (trimmed), or an empty text when the name is not bare.
QString attachmentPath(const QString& name);

// Copies source over target. The copy is written beside target and takes its place only when
// complete and on the disk (SafeFile), so a failed copy leaves an existing target whole;
// copying a file onto itself changes nothing. Only a regular file is copied: anything else (a
// FIFO, a device) is refused at once, without waiting on it. A failure says why.
WriteResult copyReplacing(const QString& source, const QString& target);
