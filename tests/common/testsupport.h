#pragma once

// Shared helpers for the test programs.

#include "core/storage/programfolder.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtTest/QTest>

// A fresh, empty program folder for one test; the program reads and writes its data files
// here instead of beside the test executable.
class TempProgramFolder {
public:
    TempProgramFolder() { setProgramFolderForTests(m_dir.path()); }
    ~TempProgramFolder() { setProgramFolderForTests(QString()); }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// The control of screen whose objectName is name, of kind T. Screens keep their controls to
// themselves; tests reach them by the names the screens give them. A name the screen lacks
// stops the test program, naming the control.
template <typename T = QWidget> T* named(const QObject* screen, const QString& name)
{
    T* found = screen->findChild<T*>(name);
    if (!found)
        qFatal("%s has no control %s of the kind asked", qPrintable(screen->objectName()),
               qPrintable(name));
    return found;
}
template <typename T = QWidget> T* named(const QObject* screen, const char* name)
{
    return named<T>(screen, QString::fromLatin1(name));
}

// Empties field and types text into it one key at a time, as a user does.
inline void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Permission checks do not bite for root, and the suite runs as root in CI. While an
// AsOrdinaryUser lives, the process's effective user is "nobody", so a read-only file or
// folder really refuses a write (the real user stays root, which lets the destructor switch
// back). The folders the block works in must be reachable by that user: see openToAll.
#include <sys/stat.h>
#include <unistd.h>

class AsOrdinaryUser {
public:
    AsOrdinaryUser()
        : m_switched(::geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0)
    {
    }
    ~AsOrdinaryUser()
    {
        if (m_switched) {
            [[maybe_unused]] int a = ::seteuid(0);
            [[maybe_unused]] int b = ::setegid(0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool m_switched;
};

// Gives everyone every right on path (a temporary folder or file of the test).
inline void openToAll(const QString& path)
{
    ::chmod(QFile::encodeName(path).constData(), 0777);
}

// Sets the permission bits of path (0444 read-only file, 0555 read-only folder, 0 unreadable).
inline void setMode(const QString& path, int mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode_t(mode));
}

// While a FileSizeLimit lives, no file of this process can grow beyond the given size: a write
// past it stops part of the way through, as on a disk that fills up.
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = rlim_t(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// The one control of screen of kind T (the text field of a check dialog). None, or more than
// one, stops the test program.
template <typename T> T* soleControl(const QObject* screen)
{
    const QList<T*> found = screen->findChildren<T*>();
    if (found.size() != 1)
        qFatal("%s has %d controls of the kind asked, not one", qPrintable(screen->objectName()),
               int(found.size()));
    return found.first();
}
