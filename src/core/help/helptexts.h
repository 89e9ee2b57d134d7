#pragma once

#include <QString>
#include <QStringList>

// The help topics of Vestrano: the title each opener puts in the help window and the text it
// shows. Paragraphs are separated by an empty line (CR LF CR LF).

inline const QString kOverviewHelpTitle = QStringLiteral("Uno sguardo a Vestrano.");
inline const QString kRegistryHelpTitle = QStringLiteral("Applicazione Archivio anagrafico.");
inline const QString kRegisterHelpTitle = QStringLiteral("Applicazione Registrazione presenze.");
inline const QString kExportHelpTitle =
    QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel.");

// The separator between two paragraphs of a help text.
inline const QString kParagraphBreak = QStringLiteral("\r\n\r\n");

// The start menu's overview: twenty paragraphs, from what the software is for to whom it
// is meant for.
QStringList overviewParagraphs();
QString overviewHelpText();

// The registry card screen's topic: the overview's paragraphs 2 to 11.
QString registryHelpText();
// The selection screen's and the calendar's topic: the overview's paragraphs 12 to 17.
QString registerHelpText();
// The spreadsheet export dialog's topic: three paragraphs of its own.
QStringList exportParagraphs();
QString exportHelpText();
