#pragma once

// Registers the fonts every screen and report is drawn with, so that they look the same on
// every machine: Tahoma as fontconfig finds it (Debian's fonts-wine, made visible by set-up and
// the installer), and substitutions of Verdana, Arial and Courier New by their Debian
// stand-ins. Idempotent.
void registerFonts();

// Reads the font configuration (fontconfig's files and its caches of the installed fonts) as
// fontconfig's own start does, without the part of that start nobody here reads: fontconfig
// also parses every file of its folder of available configurations, enabled or not, only to
// collect their descriptions for listing tools. Call first thing in main, before the
// application object exists and before anything draws text; later calls, and calls once an
// application object exists, do nothing. Returns true when it made the configuration, false
// when it left fontconfig to start on its own (a configuration that does not load, or that
// names no cache folder, where fontconfig falls back to its defaults).
bool loadFontConfiguration();

#include <QFont>

// The font a control is drawn with. Sizes in the screen tables are pixel heights, so that a
// 22-pixel edit holds its 14-pixel text on any display density.
QFont uiFont(const QString& family, int pixelSize, bool bold = false);
