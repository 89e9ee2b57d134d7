#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

#include "core/register/yearfile.h"

class DayImage;
class InfoLine;
class Picture;
class QLabel;
class QLineEdit;

// The three controls of one day of the calendar: the absent look (lib), the present look (occ),
// exactly one of them visible, and the hidden label holding the day's text (mem).
struct DayCell {
    DayImage* lib = nullptr;
    DayImage* occ = nullptr;
    QLabel* mem = nullptr;
};

// The annual calendar of one person: twelve month rows of day cells, red for present and
// violet for absent. While it is open it is the working copy of the year: the day dialog
// writes into it, the summary and the calendar sheet read from it. It loads the year file each
// time it is shown and stores it each time it is closed.
class TfrmPlanning : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPlanning(QWidget* parent = nullptr);

    // Header, filled by the selection screen before it shows the calendar.
    QLineEdit* txtPersona;
    QLineEdit* txtRecapito;
    QLineEdit* txtCodFisc;
    QLineEdit* txtMansioni;
    QLabel* txtAnno;

    // Commands of the top bar.
    Picture* cmdRiepilogo;
    Picture* cmdAnteprima;
    Picture* cmdStampa;
    Picture* cmdGuida;
    Picture* cmdEsci;

    // Hidden: the record worked on, and the two internal operations.
    QLabel* lblPosizione;
    Picture* cmdSalva;
    Picture* cmdNuovo;
    QWidget* panMemGiorni;

    InfoLine* info() const { return m_info; }

    // The day controls, by DaySlot (0..365).
    const DayCell& cell(int slot) const { return m_cells[size_t(slot)]; }
    // The day's text as the calendar holds it now (saved or not), trimmed.
    QString dayText(int slot) const;
    // True while the day shows its present look.
    bool isPresent(int slot) const;
    // The 366 texts in DaySlot order.
    QStringList dayTexts() const;
    // The header as shown, trimmed.
    QString persona() const;
    QString recapito() const;
    QString codFisc() const;
    QString mansioni() const;
    QString anno() const;

    // Sets the day named by dayKey ("gen_01" ... "dic_31", exact) to text, trimmed, and its
    // look to match. Returns false, changing nothing, when no day has that key.
    bool setDay(const QString& dayKey, const QString& text);

    // Handlers, as the user (or the screen itself) triggers them.
    void cmdNuovoClick();
    void FormShow();
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
    void showLook(int slot, bool present);

    InfoLine* m_info = nullptr;
    std::array<DayCell, kDaysPerYear> m_cells{};
};
