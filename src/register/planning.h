#pragma once

#include <QString>
#include <QWidget>

#include "core/register/yearmodel.h"

class DayGrid;
class InfoLine;
class Picture;
class QLabel;
class QLineEdit;

// What the selection screen hands to the calendar: the chosen person (trimmed card fields),
// the year as typed and the path of that person's year file.
struct PersonYear {
    QString persona; // surname, one blank, first name
    QString recapito;
    QString codFisc;
    QString mansioni;
    QString year;
    QString file;
};

// The annual calendar of one person: twelve month rows of day cells, red for present and
// violet for absent. Its year model is the working copy of the year: the day dialog's result
// changes it, the summary and the calendar sheet read it. It loads the year file each time it
// is shown and stores it each time a day is applied and when it is left. A year that cannot
// be stored is said so on opening (and the calendar stays open for looking), again at each
// day applied, and on leaving when days entered are lost.
class TfrmPlanning : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPlanning(QWidget* parent = nullptr);

    // The person and year the next showing opens: the caption and the header are set now.
    void setChoice(const PersonYear& choice);

    InfoLine* info() const { return m_info; }

    // The year as the calendar holds it now (stored or not).
    const YearModel& year() const { return m_year; }
    // The header as shown, trimmed.
    QString persona() const;
    QString recapito() const;
    QString codFisc() const;
    QString mansioni() const;
    QString anno() const;

    // What "Applica e chiudi" of the day dialog does with its result: the day takes the
    // text, trimmed, and the year is stored at once; a day that could not be stored is said so
    // now. False, changing nothing, for a slot out of range.
    bool applyDay(int slot, const QString& text);

    // Handlers, as the user (or the screen itself) triggers them.
    void FormShow();
    // Stores the year as leaving does, without a word.
    void cmdSalvaClick();
    void dayClick(int slot);
    void cmdRiepilogoClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // While the calendar is open, stores its year as leaving does: the session is ending (a
    // logout, a shutdown) and the days entered must not be lost. The calendar stays open.
    void storeOpenYear();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTopBar(QWidget* panel);
    void buildHeader(QWidget* panel);
    void buildCalendar(QWidget* panel);
    void reset();
    // The message for a store that did not store the days entered; empty when they are safe.
    static QString unstoredMessage(YearModel::StoreOutcome outcome);

    QLineEdit* txtPersona = nullptr;
    QLineEdit* txtRecapito = nullptr;
    QLineEdit* txtCodFisc = nullptr;
    QLineEdit* txtMansioni = nullptr;
    QLabel* txtAnno = nullptr;
    Picture* cmdRiepilogo = nullptr;
    Picture* cmdAnteprima = nullptr;
    Picture* cmdStampa = nullptr;
    Picture* cmdGuida = nullptr;
    Picture* cmdEsci = nullptr;
    DayGrid* m_grid = nullptr;
    InfoLine* m_info = nullptr;

    PersonYear m_choice;
    YearModel m_year;
};
