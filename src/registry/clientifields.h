#pragma once

#include "core/registry/anagraficarecord.h"
#include "registry/inputrules.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

// The tables the registry card screen is built from: one row per control, in the screen's
// order. Positions are relative to the screen's centred 995 x 692 panel.

// One text field of the card. Rows are in tab order; the record field is the card field the
// control shows, and maxLength equals that field's capacity.
struct CardFieldRow {
    int tab;
    const char* control; // object name, "txt" + the record field's name
    const char* caption; // the label above the field
    QRect geometry;
    int maxLength;
    const char* enterMovesTo;
    InputFilter filter;
    TextRules rules;
    bool centred;
    bool provinceBox; // an edit with the drop-down list of the province codes
    AnagraficaField field;
};

constexpr int kCardFieldCount = 31;
const std::array<CardFieldRow, kCardFieldCount>& cardFieldTable();
// The row of a control (nullptr when no field has that name).
const CardFieldRow* cardFieldRow(const QString& control);

// The 112 province codes offered by the two province boxes, in their order.
const QStringList& provinceCodes();

// The fields Save requires, in the order they are checked, with the warning for each.
struct CompulsoryField {
    AnagraficaField field;
    const char* message;
};
const std::array<CompulsoryField, 5>& compulsoryFields();

// The column of command buttons, top to bottom, all at x 814, 148 x 32.
struct CommandRow {
    int y;
    const char* control;
    const char* caption;
    const char* picture; // resource path of the button face
    const char* hint;
};
const std::array<CommandRow, 12>& commandTable();

// Small picture buttons beside their fields and the four arrows of the navigation bar.
struct PictureButtonRow {
    const char* control;
    QRect geometry;
    const char* picture;
    const char* accessibleName;
    const char* hint;
};
const std::array<PictureButtonRow, 5>& smallButtonTable();
const std::array<PictureButtonRow, 4>& arrowTable();

// The five grey sections, each with its picture in a white square at its left.
struct SectionRow {
    const char* control;
    QRect geometry;
    const char* picture;
    const char* accessibleName;
};
const std::array<SectionRow, 5>& sectionTable();

// The validator a check button opens, and the text it starts with. The codice fiscale button
// opens the partita IVA check when the trimmed code is not empty and made of digits only (the
// numeric codice fiscale of a firm); every other button opens its own check.
enum class CheckDialog { CodFisc, PartitaIva, Carta, Iban };
struct CheckRequest {
    CheckDialog dialog;
    QString input; // the trimmed text of the button's field
};
CheckRequest checkRequestFor(CheckDialog button, const QString& fieldText);
