#pragma once

#include <QString>

// The folder of attached files and the rules for the names a card gives its attachments.

// Documenti_Allegati under the program folder, ending in a separator.
QString attachmentFolder();

// True when name (trimmed) is a bare file name that stays inside the attachment folder: not
// empty, no path separator (neither / nor \), not "." or "..". A card read from a damaged or
// foreign registry may hold anything; only bare names are ever opened or written.
bool isBareFileName(const QString& name);

// The path of the attachment named name (trimmed), or an empty text when the name is not bare.
QString attachmentPath(const QString& name);

// Copies source over target. The copy is written beside target and takes its place only when
// complete, so a failed copy leaves an existing target whole; copying a file onto itself
// changes nothing. error (when given) receives the reason of a failure.
bool copyReplacing(const QString& source, const QString& target, QString* error = nullptr);
