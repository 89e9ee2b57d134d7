#pragma once

#include <QDialog>

#include <memory>

class Picture;
class QLabel;
class QPushButton;
class ReportDocument;
class ShapeRect;
class TfrmPlanning;

struct CalendarSheetDialogLook;

// The two small dialogs that produce the calendar sheet from the calendar as it is on screen
// (unsaved days included): the print dialog and the preview dialog. They look alike, fill the
// sheet alike and differ only in their pictures and texts and in the last step of their action
// button. Each holds its own sheet, fresh from the template.
class CalendarSheetDialog : public QDialog {
    Q_OBJECT
public:
    ~CalendarSheetDialog() override;

    ReportDocument& sheet() { return *m_sheet; }

    void btnAnnullaClick();
    // Fills the sheet, prints it or shows it, then closes the dialog.
    void btnStampaClick();

protected:
    CalendarSheetDialog(TfrmPlanning* calendar, const CalendarSheetDialogLook& look);
    // The last step: print, or show the preview.
    virtual void output() = 0;

private:
    ShapeRect* shpSfondo;
    QLabel* icoInf01;
    Picture* imgLogo01;
    ShapeRect* shpSepara;
    Picture* imgSezione04;
    QLabel* icoInf02;
    QPushButton* btnAnnulla;
    QPushButton* btnStampa;

    TfrmPlanning* m_calendar;
    std::unique_ptr<ReportDocument> m_sheet;
};

// " Stampa scheda corrente": prints the sheet through the printer dialog.
class TfrmStampaPlanning : public CalendarSheetDialog {
    Q_OBJECT
public:
    explicit TfrmStampaPlanning(TfrmPlanning* calendar);

protected:
    void output() override;
};

// " Anteprima di stampa": shows the sheet in the preview window.
class TfrmAnteprimaPlanning : public CalendarSheetDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPlanning(TfrmPlanning* calendar);

protected:
    void output() override;
};
