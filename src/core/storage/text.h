#pragma once

#include <QString>
#include <QStringView>

// Text rules shared by every screen and file of the system.

// Removes leading and trailing characters whose code is 32 or less (blanks and control
// characters). Unlike QString::trimmed, a no-break space or any other character above 32 stays.
QString trimText(const QString& text);
// The same rule on a view, without a copy: the part of text that trimText keeps.
QStringView trimmedView(QStringView text);

// Upper- and lower-casing act on the letters a to z only; accented letters stay as they are.
QString upperAZ(const QString& text);
QString lowerAZ(const QString& text);
