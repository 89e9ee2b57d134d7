#include "help/openurl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

ShellOpenRecorder*& activeRecorder()
{
    static ShellOpenRecorder* recorder = nullptr;
    return recorder;
}

// The command without its surrounding double quotes (and the blanks around them).
QString unquoted(const QString& command)
{
    QString s = command.trimmed();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"')))
        s = s.mid(1, s.size() - 2);
    else if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    return s;
}

// A scheme of two or more letters ("http:", "mailto:"); a single letter before the colon is
// a drive ("C:\...") and so a path.
bool hasUrlScheme(const QString& s)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(s).hasMatch();
}

} // namespace

QUrl TMisc::urlFor(const QString& sCommand)
{
    const QString target = unquoted(sCommand);
    if (target.isEmpty())
        return QUrl();
    if (hasUrlScheme(target)) {
        // Tolerant parsing keeps the text as the caller wrote it: blanks and stray percent
        // signs are encoded once (a blank becomes %20, never '+' and never %2520), and what
        // is already encoded stays as it is. A mail program decodes subject and body back to
        // the caller's words.
        return QUrl(target, QUrl::TolerantMode);
    }
    return QUrl::fromLocalFile(QDir::cleanPath(QFileInfo(target).absoluteFilePath()));
}

QString TMisc::mailtoLink(const QString& address)
{
    // toPercentEncoding leaves the unreserved characters (letters, digits, - . _ ~) as they
    // are; '@' is added to them.
    return QStringLiteral("mailto:")
           + QString::fromLatin1(QUrl::toPercentEncoding(address, QByteArrayLiteral("@")));
}

void TMisc::Open(const QString& sCommand)
{
    const QUrl url = urlFor(sCommand);
    if (ShellOpenRecorder* recorder = activeRecorder()) {
        recorder->record({sCommand, url});
        return;
    }
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

ShellOpenRecorder::ShellOpenRecorder() : m_previous(activeRecorder())
{
    activeRecorder() = this;
}

ShellOpenRecorder::~ShellOpenRecorder()
{
    activeRecorder() = m_previous;
}
