#pragma once

#include "core/storage/writeresult.h"

#include <QString>

#include <optional>

// The password file: unins000.dll in the program folder, an INI text file (despite its name)
// whose key Valore of section Accesso holds the scrambled password. The file is opened only
// for one read or one write; nothing is cached, so every check reads it again.
//
// The INI conventions: a section starts with its name in square brackets; a key line is
// key=value with blanks around the key and the value ignored; names match in any case; lines
// starting with ';' or '#' are comments. A write changes only the value of its key and keeps
// every other byte of the file; it goes through a temporary file that replaces the old one
// whole, so a failed write leaves the old file as it was.

enum class StoreResult {
    Stored,
    TooLong,     // longer than the scrambling handles (255 characters)
    NotStorable, // a character above U+00FF would lose its high byte and never match again
    WriteFailed, // the file or its folder cannot be written; the old file is untouched
};

class PasswordStore {
public:
    static QString fileName() { return QStringLiteral("unins000.dll"); }
    // The largest password file read: the delivered one is a few dozen bytes, and a stored
    // password at most 510 digits. A larger file, or anything but a regular file (a FIFO, a
    // link to a device), reads as a file that cannot be read.
    static constexpr qint64 kMaxFileBytes = qint64(64) * 1024;

    // The file in the program folder.
    PasswordStore();
    explicit PasswordStore(const QString& path);

    QString path() const { return m_path; }

    // The value of key in section: an absent file, section or key reads as the empty text;
    // nothing when the file exists but cannot be read.
    std::optional<QString> readValue(const QString& section, const QString& key) const;
    // Sets key in section to value, adding the key, the section and the file when missing.
    // The file is replaced whole and is on the disk when this succeeds (SafeFile).
    WriteResult writeValue(const QString& section, const QString& key, const QString& value) const;

    // The stored password, decoded and trimmed: empty when there is none; nothing when the
    // file cannot be read or its value is not a scrambled password (a damaged file must never
    // let anyone in).
    std::optional<QString> readPassword() const;
    // Stores typed as the new password: upper-cased (a to z only), trimmed and scrambled.
    StoreResult storePassword(const QString& typed) const;

private:
    QString m_path;
};

// The password as it is stored and compared: upper-cased (a to z only) and trimmed.
QString normalisePassword(const QString& typed);

// True when typed, normalised, is exactly the stored password.
bool passwordMatches(const QString& stored, const QString& typed);
