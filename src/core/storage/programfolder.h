#pragma once

#include <QString>

// The folder of the program's own executable, ending in a separator. Every data file lives
// here; the current working directory plays no part.
QString programFolder();

// Test seam: makes programFolder() answer folder (a separator is added when missing) until it
// is called again with an empty text.
void setProgramFolderForTests(const QString& folder);
