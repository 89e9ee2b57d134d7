#pragma once

#include <QDialog>

class ExportGridModel;
class InfoLine;
class Picture;
class QTableView;
class ShapeRect;

// The spreadsheet export: every card of Anagrafica.pro in a grid, written to Anagrafica.xls on
// request. A dialog: created by the card screen for one opening, shown modally, destroyed on
// closing. The grid is filled once, when the dialog is first shown.
class TfrmExpClienti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpClienti(QWidget* owner = nullptr);

    ExportGridModel* model() const { return m_model; }
    InfoLine* info() const { return m_info; }

    // Fills the grid from the registry (the show handler runs it once).
    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Hands a cell being edited over to the grid, so the export sees what was typed.
    void commitOpenEditor();

    ShapeRect* shpIntestazione;
    Picture* titEsportazione;
    Picture* imgMano;
    Picture* cmdEsporta;
    Picture* cmdGuida;
    Picture* cmdEsci;
    QTableView* grdRecords;
    ExportGridModel* m_model;
    InfoLine* m_info;
    bool m_filled = false;
    // Whether the grid holds every card of the registry: an export of a grid that could not
    // be filled would replace Anagrafica.xls with empty rows.
    bool m_registryRead = false;
};
