#pragma once

#include <QString>

// The maker of Vestrano as the program presents it: its name in the notice window, the
// support address of the information window's mail link and the web site of the links.
inline const QString kMakerName = QStringLiteral("Ponteverde Software");
inline const QString kMakerSupportAddress = QStringLiteral("assistenza@ponteverde.example");
inline const QString kMakerWebAddress = QStringLiteral("https://www.ponteverde.example");
