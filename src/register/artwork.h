#pragma once

#include <QString>

// The path of one picture of the register's artwork (":/register/<name>.svg"). The first call
// makes sure the pictures are linked into the program.
QString registerArt(const char* name);
