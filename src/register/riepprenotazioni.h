#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class Picture;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ReportDocument;
class TfrmPlanning;

// The attendance summary: every day of the calendar's year that holds an activity text, in
// calendar order, as a 15-character date column followed by the text. Built once, when the
// screen is created, from the calendar's day texts as they are at that moment (unsaved ones
// included). The user can find words in it and print it as a list report.
class TfrmRiepPrenotazioni : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRiepPrenotazioni(TfrmPlanning* calendar);
    ~TfrmRiepPrenotazioni() override;

    // The date column of a DaySlot: "01 gennaio     " ... "31 dicembre    ", 15 characters.
    static QString dateColumn(int slot);

    // The key of the last search on any summary screen; it lives for the whole run.
    static QString& lastSearchKey();

    void btnTrovaClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildList();

    Picture* imgLogo;
    QLabel* lblRigo01;
    QLabel* lblRigo02;
    Picture* imgLente;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListWidget* lstRecords;
    QPushButton* btnChiudi;
    QPushButton* btnStampa;

    TfrmPlanning* m_calendar;
    std::unique_ptr<ReportDocument> m_report;
};
