// The card operations of the registry card screen: moving through Anagrafica.pro, New, Save,
// Duplicate, the transfer of a card between record and controls, and the commands that open
// other screens. Every operation opens the file, works and closes it before it ends.

#include "registry/clienti.h"

#include "core/help/helptexts.h"
#include "core/registry/registry.h"
#include "core/storage/text.h"
#include "help/guida.h"
#include "help/openurl.h"
#include "registry/allegacartella.h"
#include "registry/expclienti.h"
#include "ui/messages.h"
#include "validators/frmcarta.h"
#include "validators/frmcodfisc.h"
#include "validators/frmiban.h"
#include "validators/frmpartitaiva.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.");
const QString kChanged =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kChangedElsewhere =
    QStringLiteral("Attenzione: la scheda corrente \u00e8 stata modificata altrove dopo essere "
                   "stata visualizzata, ad esempio da un'altra copia del programma o con il "
                   "ripristino di una copia dell'archivio.")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("Le modifiche non sono state salvate, per non sovrascrivere i dati presenti "
                     "in archivio.");
const QString kDuplicateFirst = QStringLiteral(
    "Attenzione: la duplicazione di una scheda pu\u00f2 avvenire soltanto dopo che questa \u00e8 "
    "stata inserita in archivio.");
const QString kDuplicated =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.")
    + QStringLiteral("\n\r\n\r")
    + QStringLiteral("Al termine premere Salva per inserire la scheda in archivio.");

constexpr AnagraficaField kFileFields[3] = {AnagraficaField::File01, AnagraficaField::File02,
                                            AnagraficaField::File03};
constexpr AnagraficaField kDescFields[3] = {AnagraficaField::Desc01, AnagraficaField::Desc02,
                                            AnagraficaField::Desc03};

} // namespace

void TfrmClienti::ShowRecord(const AnagraficaRecord& record)
{
    m_shown = record;
    for (size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(record.get(AnagraficaField(i)));
    const QString ricontatta = record.get(AnagraficaField::Ricontatta);
    if (ricontatta == AnagraficaRecord::ricontattaText(true))
        chkRicontatta->setChecked(true);
    else if (ricontatta == AnagraficaRecord::ricontattaText(false))
        chkRicontatta->setChecked(false);
    for (size_t n = 0; n < 3; ++n)
        m_attachments[n] = {record.get(kFileFields[n]), record.get(kDescFields[n])};
}

AnagraficaRecord TfrmClienti::BuildRecord()
{
    for (size_t i = 0; i < m_edits.size(); ++i)
        m_buffer.set(AnagraficaField(i), m_edits[i]->text());
    m_buffer.set(AnagraficaField::Ricontatta,
                 AnagraficaRecord::ricontattaText(chkRicontatta->isChecked()));
    for (size_t n = 0; n < 3; ++n) {
        m_buffer.set(kFileFields[n], m_attachments[n].file);
        m_buffer.set(kDescFields[n], m_attachments[n].desc);
    }
    return m_buffer;
}

void TfrmClienti::accessFailure()
{
    showMessage(this, MessageKind::Error, kAccessFailureMessage);
}

void TfrmClienti::setCardNumber(qint64 number)
{
    m_cardNumber = number > 0 ? number : 0;
    if (m_cardNumber == 0)
        lblPosizione->clear();
    else
        lblPosizione->setText(QString::number(m_cardNumber));
}

void TfrmClienti::loadCard(qint64 index)
{
    const std::optional<AnagraficaRecord> card = Registry().read(index);
    if (!card)
        return accessFailure();
    m_buffer = *card;
    ShowRecord(m_buffer);
    setCardNumber(index + 1);
}

// The number of cards, or nothing after the access failure message.
std::optional<qint64> TfrmClienti::cardCount()
{
    const std::optional<qint64> count = Registry().count();
    if (!count)
        accessFailure();
    return count;
}

// The number of cards when there is at least one; otherwise nothing, after the access failure
// or the empty-archive message.
std::optional<qint64> TfrmClienti::storedCardCount()
{
    const std::optional<qint64> count = cardCount();
    if (count && *count == 0) {
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return std::nullopt;
    }
    return count;
}

void TfrmClienti::imgPrimaClick()
{
    if (storedCardCount())
        loadCard(0);
}

void TfrmClienti::imgUltimaClick()
{
    if (const std::optional<qint64> count = storedCardCount())
        loadCard(*count - 1);
}

void TfrmClienti::imgSuccessivaClick()
{
    const std::optional<qint64> count = cardCount();
    if (!count)
        return;
    if (*count == 0) {
        setCardNumber(0);
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    // A new card counts as number 0, so Next shows the first card; past the last card nothing
    // moves.
    if (m_cardNumber < *count)
        loadCard(m_cardNumber);
}

void TfrmClienti::imgPrecedenteClick()
{
    const std::optional<qint64> count = cardCount();
    if (!count || m_cardNumber == 1) // the first card is on screen
        return;
    if (*count == 0) {
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    // From a new card Previous shows the first card.
    loadCard(m_cardNumber == 0 ? 0 : m_cardNumber - 2);
}

void TfrmClienti::cmdNuovoClick()
{
    clearCard();
    resetProvinceSelections();
    setCardNumber(0);
    control(AnagraficaField::Cognome)->setFocus(Qt::OtherFocusReason);
}

void TfrmClienti::cmdSalvaClick()
{
    for (const CompulsoryField& required : compulsoryFields()) {
        if (trimText(edit(required.field)->text()).isEmpty()) {
            showMessage(this, MessageKind::Warning, QString::fromUtf8(required.message));
            control(required.field)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    const AnagraficaRecord card = BuildRecord();
    if (m_cardNumber > 0) {
        // A stored card is written over its own record, as long as that record still holds
        // the card that was shown.
        switch (Registry().save(m_cardNumber - 1, m_shown, card)) {
        case Registry::SaveOutcome::Saved:
            m_shown = card;
            showMessage(this, MessageKind::Information, kChanged);
            return;
        case Registry::SaveOutcome::ChangedElsewhere:
            showMessage(this, MessageKind::Warning, kChangedElsewhere);
            return;
        case Registry::SaveOutcome::Failed:
            return accessFailure();
        }
        return;
    }
    const std::optional<qint64> index = Registry().append(card);
    if (!index)
        return accessFailure();
    m_shown = card;
    setCardNumber(*index + 1);
    showMessage(this, MessageKind::Information, kInserted);
}

void TfrmClienti::cmdDuplicaClick()
{
    if (m_cardNumber == 0) {
        showMessage(this, MessageKind::Warning, kDuplicateFirst);
        return;
    }
    m_attachments = {};
    setCardNumber(0);
    // The archive must be reachable before the user types the copy's changes.
    if (!Registry().reachable())
        return accessFailure();
    control(AnagraficaField::Cognome)->setFocus(Qt::OtherFocusReason);
    showMessage(this, MessageKind::Information, kDuplicated);
}

// The validator buttons: each opens its check dialog with the trimmed text of its field.
void TfrmClienti::btnCodFiscClick()
{
    openCheckDialog(checkRequestFor(CheckDialog::CodFisc, edit(AnagraficaField::CodFisc)->text()));
}

void TfrmClienti::btnCartaClick()
{
    openCheckDialog(checkRequestFor(CheckDialog::Carta, edit(AnagraficaField::Carta)->text()));
}

void TfrmClienti::btnPartitaIvaClick()
{
    openCheckDialog(
        checkRequestFor(CheckDialog::PartitaIva, edit(AnagraficaField::PartitaIva)->text()));
}

void TfrmClienti::btnIbanClick()
{
    openCheckDialog(checkRequestFor(CheckDialog::Iban, edit(AnagraficaField::Iban)->text()));
}

// A fresh check dialog owned by the card screen, preset, shown modally and destroyed when it
// closes. The dialogs only report: nothing comes back to the card.
void TfrmClienti::openCheckDialog(const CheckRequest& request)
{
    switch (request.dialog) {
    case CheckDialog::CodFisc:
        runValidatorDialog<TfrmCodFisc>(this, request.input);
        break;
    case CheckDialog::PartitaIva:
        runValidatorDialog<TfrmPartitaIva>(this, request.input);
        break;
    case CheckDialog::Carta:
        runValidatorDialog<TfrmCarta>(this, request.input);
        break;
    case CheckDialog::Iban:
        runValidatorDialog<TfrmIban>(this, request.input);
        break;
    }
}

void TfrmClienti::cmdGuidaClick()
{
    showHelp(this, kRegistryHelpTitle, registryHelpText());
}

// Starts the mail program with the card's address as recipient (none when the field is empty).
void TfrmClienti::btnEmailClick()
{
    // The field's text can only be the recipient: '?', '&', '#' and the like are encoded.
    TMisc::Open(QLatin1Char('"') + TMisc::mailtoLink(trimText(edit(AnagraficaField::Email)->text()))
                + QLatin1Char('"'));
}

// The attachment dialog starts from the card's slots; "Applica e chiudi" hands them back, and
// the card stores them at the next Save.
void TfrmClienti::cmdFileClick()
{
    TfrmAllegaCartella dialog(this, m_attachments);
    if (dialog.exec() == QDialog::Accepted)
        applyAttachments(dialog.attachments());
}

void TfrmClienti::applyAttachments(const CardAttachments& attached)
{
    m_attachments = attached;
}

void TfrmClienti::cmdEsportaClick()
{
    TfrmExpClienti dialog(this);
    dialog.exec();
}
