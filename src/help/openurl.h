#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Hands a document path, a web address or a mailto link to the desktop, which opens it with
// the user's default application (viewer, browser, mail program). Returns at once; whatever
// the desktop does with it is the only feedback, and nothing is reported here.
class TMisc {
public:
    // sCommand may be wrapped in double quotes (paths with blanks, mailto links); a path
    // becomes a file URL, an address with a scheme (http:, https:, mailto:, file:) stays one.
    static void Open(const QString& sCommand);

    // The URL that Open hands to the desktop for sCommand.
    static QUrl urlFor(const QString& sCommand);

    // "mailto:" followed by address with every character but the letters A to Z and a to z,
    // the digits, '@' and - . _ ~ percent-encoded (as UTF-8): whatever a stored e-mail holds
    // ("x@y.it?attach=/etc/passwd"), the mail program gets one recipient and nothing else,
    // no subject, body, attachment or other header.
    static QString mailtoLink(const QString& address);
};

// Test seam: while a ShellOpenRecorder lives, Open records what it was asked to open instead
// of opening it. Recorders nest; the innermost one records.
struct ShellOpenRequest {
    QString command; // as the caller passed it
    QUrl url;        // what would have reached the desktop
};

class ShellOpenRecorder {
public:
    ShellOpenRecorder();
    ~ShellOpenRecorder();
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

    const QList<ShellOpenRequest>& requests() const { return m_requests; }
    int count() const { return int(m_requests.size()); }
    ShellOpenRequest last() const
    {
        return m_requests.isEmpty() ? ShellOpenRequest{} : m_requests.last();
    }
    void clear() { m_requests.clear(); }

    void record(const ShellOpenRequest& request) { m_requests.append(request); }

private:
    QList<ShellOpenRequest> m_requests;
    ShellOpenRecorder* m_previous;
};
