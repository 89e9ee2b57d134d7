// The card screen's two lists of cards: the search and the recontact list. Each opening
// creates a fresh dialog owned by the card screen, shows it modally and destroys it; a card
// opened from the list arrives on the card screen with its number.

#include "registry/clienti.h"

#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"

#include <QPointer>

void TfrmClienti::cmdTrovaClick()
{
    QPointer<TfrmTrovaClienti> search = new TfrmTrovaClienti(this);
    search->exec();
    delete search.data();
}

void TfrmClienti::cmdRicontattaClick()
{
    QPointer<TfrmRicontatta> recontact = new TfrmRicontatta(this);
    recontact->exec();
    delete recontact.data();
}
