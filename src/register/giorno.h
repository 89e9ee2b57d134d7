#pragma once

#include <QDialog>
#include <QString>

class Picture;
class QLabel;
class QLineEdit;
class QPushButton;

// The day-entry dialog: one day's activity text. A text means present, an empty field absent.
// "Applica e chiudi" accepts the dialog; its result, text(), is the day's new text, which the
// calendar that opened it applies and stores. Annulla rejects it and the day stays as it was.
class TfrmGiorno : public QDialog {
    Q_OBJECT
public:
    // The dialog for the day at slot of year, of person, whose text is now text.
    TfrmGiorno(QWidget* parent, int slot, const QString& year, const QString& person,
               const QString& text);

    int slot() const { return m_slot; }
    // The text applied, trimmed (meaningful once the dialog was accepted).
    QString text() const;

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
    QLabel* infGiorno;
    QLabel* infCamera;
    Picture* icoLibera;
    Picture* icoOccupata;
    QLineEdit* txtPrenotazione;
    Picture* cmdCancella;
    QPushButton* btnAnnulla;
    QPushButton* btnChiudi;
    int m_slot;
};
