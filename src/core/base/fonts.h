#pragma once

// Registers the fonts every screen and report is drawn with, so that they look the same on
// every machine: Tahoma as fontconfig finds it (Debian's fonts-wine, made visible by set-up and
// the installer), and substitutions of Verdana, Arial and Courier New by their Debian
// stand-ins. Idempotent.
void registerFonts();

#include <QFont>

// The font a control is drawn with. Sizes in the screen tables are pixel heights, so that a
// 22-pixel edit holds its 14-pixel text on any display density.
QFont uiFont(const QString& family, int pixelSize, bool bold = false);
