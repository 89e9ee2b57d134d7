#pragma once

#include <QDialog>
#include <QString>

class Picture;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmPlanning;

// The day-entry dialog: one day's activity text. A text means present, an empty field absent.
// "Applica e chiudi" writes the day into the calendar that opened the dialog; the calendar
// stores it in the year file when it is left.
class TfrmGiorno : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGiorno(TfrmPlanning* calendar);

    QLabel* infGiorno;
    QLabel* infCamera;
    Picture* icoLibera;
    Picture* icoOccupata;
    QLineEdit* txtPrenotazione;
    Picture* cmdCancella;
    QPushButton* btnAnnulla;
    QPushButton* btnChiudi;
    QLabel* lblMemory;

    // Prepares the dialog for the calendar's day at slot: its key, title, person and text.
    void openFor(int slot);

    // "Giorno 1 gennaio 2021": the day without leading zero, the month's name, the year.
    static QString dayTitle(int slot, const QString& year);

    // Handlers, as the user triggers them.
    void txtPrenotazioneChange();
    void cmdCancellaClick();
    void btnAnnullaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TfrmPlanning* m_calendar;
};
