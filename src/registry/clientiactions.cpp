// The card operations of the registry card screen: moving through Anagrafica.pro, New, Save,
// Duplicate, the transfer of a card between record and controls, and the commands that open
// other screens. Every operation opens the file, works and closes it before it ends.

#include "registry/clienti.h"

#include "app/messages.h"
#include "help/guida.h"
#include "help/helptexts.h"
#include "help/openurl.h"
#include "registry/allegacartella.h"
#include "registry/expclienti.h"
#include "storage/recordfile.h"
#include "storage/text.h"
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
const QString kChanged = QStringLiteral(
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
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

// The card number held by lblPosizione; false when the label holds no number.
bool cardNumber(const QString& label, qint64& number)
{
    bool ok = false;
    number = trimText(label).toLongLong(&ok);
    return ok;
}

} // namespace

void TfrmClienti::ShowRecord(const AnagraficaRecord& record)
{
    for (size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(record.get(AnagraficaField(i)));
    const QString ricontatta = record.get(AnagraficaField::Ricontatta);
    if (ricontatta == AnagraficaRecord::ricontattaText(true))
        chkRicontatta->setChecked(true);
    else if (ricontatta == AnagraficaRecord::ricontattaText(false))
        chkRicontatta->setChecked(false);
    for (size_t n = 0; n < 3; ++n) {
        lblFile[n]->setText(record.get(kFileFields[n]));
        lblDesc[n]->setText(record.get(kDescFields[n]));
    }
}

AnagraficaRecord TfrmClienti::BuildRecord()
{
    for (size_t i = 0; i < m_edits.size(); ++i)
        m_buffer.set(AnagraficaField(i), m_edits[i]->text());
    m_buffer.set(AnagraficaField::Ricontatta,
                 AnagraficaRecord::ricontattaText(chkRicontatta->isChecked()));
    for (size_t n = 0; n < 3; ++n) {
        m_buffer.set(kFileFields[n], lblFile[n]->text());
        m_buffer.set(kDescFields[n], lblDesc[n]->text());
    }
    return m_buffer;
}

void TfrmClienti::accessFailure()
{
    showMessage(this, MessageKind::Error, kAccessFailureMessage);
}

void TfrmClienti::loadCard(RecordFile& file, qint64 index)
{
    QByteArray bytes;
    if (!file.seek(index) || !file.read(bytes)) {
        file.close();
        accessFailure();
        return;
    }
    m_buffer = AnagraficaRecord(bytes);
    ShowRecord(m_buffer);
    lblPosizione->setText(QString::number(index + 1));
    if (!file.close())
        accessFailure();
}

void TfrmClienti::imgPrimaClick()
{
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return accessFailure();
    if (file.count() == 0) {
        file.close();
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    loadCard(file, 0);
}

void TfrmClienti::imgUltimaClick()
{
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return accessFailure();
    const qint64 count = file.count();
    if (count == 0) {
        file.close();
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    loadCard(file, count - 1);
}

void TfrmClienti::imgSuccessivaClick()
{
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return accessFailure();
    const qint64 count = file.count();
    if (count == 0) {
        lblPosizione->clear();
        file.close();
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    // A new card counts as number 0, so Next shows the first card.
    qint64 n = 0;
    if (!trimText(lblPosizione->text()).isEmpty() && !cardNumber(lblPosizione->text(), n)) {
        file.close();
        return accessFailure();
    }
    if (n < count)
        loadCard(file, n);
    else
        file.close(); // the last card is on screen
}

void TfrmClienti::imgPrecedenteClick()
{
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return accessFailure();
    const QString position = trimText(lblPosizione->text());
    if (position == QLatin1String("1")) {
        file.close(); // the first card is on screen
        return;
    }
    if (file.count() == 0) {
        file.close();
        showMessage(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    // From a new card Previous shows the first card.
    qint64 index = 0;
    if (!position.isEmpty()) {
        qint64 n = 0;
        if (!cardNumber(position, n)) {
            file.close();
            return accessFailure();
        }
        index = n - 2;
    }
    loadCard(file, index);
}

void TfrmClienti::cmdNuovoClick()
{
    clearCard();
    resetProvinceSelections();
    lblPosizione->clear();
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

    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return accessFailure();
    const QString position = trimText(lblPosizione->text());
    if (!position.isEmpty()) {
        // A stored card is written over its own record. A number past the end of the file (the
        // file was shortened meanwhile) is refused by the write, so no gap of empty records
        // is ever made.
        qint64 n = 0;
        if (!cardNumber(position, n) || n < 1 || !file.seek(n - 1) || !file.write(BuildRecord().bytes())) {
            file.close();
            return accessFailure();
        }
        lblPosizione->setText(QString::number(n));
        if (!file.close())
            return accessFailure();
        showMessage(this, MessageKind::Information, kChanged);
        return;
    }

    const AnagraficaRecord record = BuildRecord();
    if (!file.seek(file.count()) || !file.write(record.bytes())) {
        file.close();
        return accessFailure();
    }
    lblPosizione->setText(QString::number(file.count()));
    if (!file.close())
        return accessFailure();
    showMessage(this, MessageKind::Information, kInserted);
}

void TfrmClienti::cmdDuplicaClick()
{
    if (trimText(lblPosizione->text()).isEmpty()) {
        showMessage(this, MessageKind::Warning, kDuplicateFirst);
        return;
    }
    for (size_t n = 0; n < 3; ++n) {
        lblFile[n]->clear();
        lblDesc[n]->clear();
    }
    lblPosizione->clear();
    // The archive must be reachable before the user types the copy's changes.
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate() || !file.close())
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
    TMisc::Open(QStringLiteral("\"mailto:") + trimText(edit(AnagraficaField::Email)->text())
                + QStringLiteral("\""));
}

// The attachment dialog starts from the card's six hidden labels and, on "Applica e chiudi",
// writes them back; the card stores them at the next Save.
void TfrmClienti::cmdFileClick()
{
    TfrmAllegaCartella dialog(this);
    dialog.lblMemory->setText(QStringLiteral("clienti"));
    for (size_t n = 0; n < 3; ++n) {
        dialog.txtFile[n]->setText(trimText(lblFile[n]->text()));
        dialog.txtDesc[n]->setText(trimText(lblDesc[n]->text()));
    }
    dialog.exec();
}

void TfrmClienti::cmdEsportaClick()
{
    TfrmExpClienti dialog(this);
    dialog.exec();
}
