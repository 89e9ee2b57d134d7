#pragma once

#include "registry/cardlistdialog.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The registry search: up to ten filters on the filter panel; "Cerca" lists the matching cards
// on the result panel, where they can be found, printed and opened on the card screen. There
// is no way back to the filters: a new search needs a new opening.
class TfrmTrovaClienti : public CardListDialog {
    Q_OBJECT
public:
    static constexpr int kFilterCount = 10;

    // The search opened by the card screen cards, which shows the card of a double-clicked line.
    explicit TfrmTrovaClienti(TfrmClienti* cards);

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();

protected:
    AnagraficaField lastColumn() const override { return AnagraficaField::Note; }
    QString reportTitle() const override;

    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFilterPanel();

    QWidget* panFiltri = nullptr;
    QWidget* panRisultati = nullptr;
    // The ten filters in tab order: txtCognome ... txtNote.
    std::array<QLineEdit*, kFilterCount> filters{};
    QPushButton* btnAnnulla = nullptr;
    QPushButton* btnCerca = nullptr;
    QLabel* lblAttendere = nullptr;
    QLabel* lblTrovate = nullptr;
};
