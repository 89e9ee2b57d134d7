#pragma once

// Shared by the fuzz targets: a private program folder for the readers that work on files,
// and a check that stops the run with a report when a property of the system does not hold.

#include "core/storage/programfolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// A fresh folder for this process, used as the program folder.
inline QString fuzzProgramFolder()
{
    static const QString folder = [] {
        char pattern[] = "/tmp/vestrano-fuzz-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        const QString path = QString::fromLocal8Bit(made ? made : "/tmp");
        setProgramFolderForTests(path);
        return path + QLatin1Char('/');
    }();
    return folder;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
