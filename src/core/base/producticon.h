#pragma once

#include <QIcon>
#include <QImage>

// The product's icon, the register's calendar page with the person it belongs to
// (resources/desktop/vestrano.svg). The same drawing serves the windows and the icon files
// the desktop's menu shows.

// The icon drawn into a square image of size x size pixels with a transparent background;
// a null image when the artwork cannot be read.
QImage productIconImage(int size);

// The icon every window carries, drawn at the sizes a desktop asks for (16 to 256 pixels).
QIcon productIcon();
