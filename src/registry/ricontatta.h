#pragma once

#include "registry/cardlistdialog.h"

class QWidget;

// The recontact list: every card whose "Da ricontattare" box was ticked when it was saved, with
// its pending issues at the end of the line. Built each time it is shown; a line can be found,
// the list printed, and a card opened on the card screen.
class TfrmRicontatta : public CardListDialog {
    Q_OBJECT
public:
    explicit TfrmRicontatta(TfrmClienti* cards);

    // Reads the registry and lists the ticked cards. A registry that cannot be read ends the
    // building silently; the lines read until then are listed.
    void FormShow();

protected:
    AnagraficaField lastColumn() const override { return AnagraficaField::Questioni; }
    QString reportTitle() const override;

    void showEvent(QShowEvent* event) override;

private:
    QWidget* panRisultati = nullptr;
};
