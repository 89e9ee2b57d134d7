#pragma once

#include <QByteArray>
#include <QString>

// Replaces the whole file at path with bytes (creating it when missing): the bytes are written
// aside, checked to have reached the disk in full, and only then put in place in one step.
// When anything fails (a folder that refuses the write, a disk that fills up halfway, a folder
// where the file should be) the file at path stays exactly as it was, nothing is left behind,
// and errorString, when given, says why.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);
