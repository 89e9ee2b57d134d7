#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// Reading a file that someone else may have put in place: only a regular file (or a link to
// one) is read, and it is opened without ever waiting. A FIFO, a device (/dev/zero), a socket
// or a folder is refused at once, before and after opening, so a file swapped in between the
// two looks changes nothing.

// Opens path for reading into file (which must not be open) when it is a regular file of at
// most maxBytes bytes (no limit when maxBytes is negative). False, with file closed, otherwise.
bool openRegularFile(QFile& file, const QString& path, qint64 maxBytes = -1);

// The whole content of the regular file at path when it holds at most maxBytes (not negative)
// bytes; nothing when it is missing, not a regular file, larger, or cannot be read.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);
