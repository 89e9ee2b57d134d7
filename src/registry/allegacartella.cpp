#include "registry/allegacartella.h"

#include "core/base/fonts.h"
#include "core/registry/attachments.h"
#include "core/storage/text.h"
#include "help/openurl.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/filedialog.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati \u00e8 presente un file con "
                   "lo stesso nome.")
    + QStringLiteral("\r\n\r\n") + QStringLiteral("Si vuole sovrascrivere il file esistente?");
const QString kNotBareName =
    QStringLiteral("Attenzione: il nome del file allegato non \u00e8 valido.")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("Un file allegato deve trovarsi nella cartella dei documenti allegati e il "
                     "suo nome non pu\u00f2 contenere cartelle.");
const QString kNotStorableName =
    QStringLiteral("Attenzione: il nome del file scelto non pu\u00f2 essere memorizzato nella "
                   "scheda anagrafica, che accetta nomi di al massimo 250 caratteri scritti con "
                   "lettere latine, cifre e segni comuni (non, per esempio, lettere cirilliche o "
                   "polacche come \u0141).")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("Il file non \u00e8 stato allegato: rinominarlo con un nome pi\u00f9 breve o "
                     "con soli caratteri ammessi, quindi sceglierlo di nuovo.");
const QString kNotRegularFile =
    QStringLiteral("Attenzione: l'elemento scelto non \u00e8 un file ordinario (\u00e8 per "
                   "esempio una cartella, un dispositivo o una pipe), quindi non pu\u00f2 essere "
                   "allegato.");
const QString kNotAttached =
    QStringLiteral("Attenzione: non \u00e8 stato possibile allegare il file scelto, perch\u00e9 "
                   "la copia nella cartella dei documenti allegati non \u00e8 riuscita.")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("Verificare che il file si possa leggere, che nella cartella del programma si "
                     "possa scrivere e che il disco non sia pieno. L'allegato indicato nella "
                     "scheda resta quello di prima.");
const QString kDialogCaption = QStringLiteral("Selezionare il file da allegare:");
const QString kAllFiles = QStringLiteral("Tutti i file (*.*)");

// The controls of one slot, placed for slot 1; slot k sits 120 * (k - 1) lower.
enum class SlotControl { NameCaption, File, Eraser, Browse, Open, DescCaption, Desc };
struct SlotRow {
    SlotControl kind;
    const char* prefix; // the control's name without the slot number
    QRect geometry;     // captions size themselves
    const char* text;   // %1 is the slot number
};
const SlotRow kSlotRows[] = {
    {SlotControl::NameCaption, "lblNome", QRect(28, 90, 0, 0), "Nome %1\u00b0 file allegato:"},
    {SlotControl::File, "txtFile", QRect(28, 108, 338, 22), ""},
    {SlotControl::Eraser, "imgCancella", QRect(370, 108, 22, 22), ""},
    {SlotControl::Browse, "btnSfoglia", QRect(400, 104, 86, 28), "Sfoglia..."},
    {SlotControl::Open, "btnApri", QRect(494, 104, 86, 28), "Apri"},
    {SlotControl::DescCaption, "lblDescrizione", QRect(28, 140, 0, 0),
     "Descrizione %1\u00b0 file allegato:"},
    {SlotControl::Desc, "txtDesc", QRect(28, 158, 552, 22), ""},
};
constexpr int kSlotStep = 120;

QString slotName(const char* prefix, int slot)
{
    return QString::fromLatin1(prefix)
           + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* owner, const CardAttachments& start)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    setupFixedWindow(this, QStringLiteral(" Allega file"), QSize(634, 534));
    setWindowGradient(this, QColor(0xEB, 0xE9, 0xE9));
    QWidget* panel = makeCentredContainer(this, QSize(609, 503));

    auto* box = new ShapeRect(panel, QStringLiteral("shpSfondo"), QRect(8, 8, 593, 433));
    box->fill(Qt::white).outline(QColor(0xC8, 0xC8, 0xC8));
    new Picture(panel, QStringLiteral("imgIstruzioni"), QRect(20, 20, 543, 49),
                QStringLiteral(":/export/istruzioni.svg"),
                QStringLiteral("Selezionare i file con Sfoglia, poi fare clic su Applica e chiudi "
                               "e quindi su Salva nella scheda per salvare le modifiche. Un file "
                               "si apre con Apri."));

    for (int slot = 0; slot < kSlots; ++slot)
        buildSlot(panel, slot);

    btnAnnulla = makeCommandButton(panel, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                   QRect(312, 456, 126, 32));
    btnApplica = makeCommandButton(panel, QStringLiteral("btnApplica"),
                                   QStringLiteral("Applica e chiudi"), QRect(447, 456, 154, 32));
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    // Per slot: the file name, its eraser, "Sfoglia...", "Apri", the description; then
    // "Applica e chiudi" and "Annulla".
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (int slot = 0; slot < kSlots; ++slot) {
        const size_t s = size_t(slot);
        for (QWidget* w : std::initializer_list<QWidget*>{txtFile[s], imgCancella[s], btnSfoglia[s],
                                                          btnApri[s], txtDesc[s]})
            chain(w);
    }
    chain(btnApplica);
    chain(btnAnnulla);

    for (size_t s = 0; s < size_t(kSlots); ++s) {
        txtFile[s]->setText(trimText(start[s].file));
        txtDesc[s]->setText(trimText(start[s].desc));
    }
}

CardAttachments TfrmAllegaCartella::attachments() const
{
    CardAttachments out;
    for (size_t s = 0; s < size_t(kSlots); ++s)
        out[s] = {trimText(txtFile[s]->text()), trimText(txtDesc[s]->text())};
    return out;
}

// One slot from the rows of its controls: the box behind it, captions, the read-only file
// name with its eraser, "Sfoglia...", "Apri" (enabled only while the slot names a file) and
// the description.
void TfrmAllegaCartella::buildSlot(QWidget* panel, int slot)
{
    const size_t s = size_t(slot);
    const int d = kSlotStep * slot;
    auto* back = new ShapeRect(panel, slotName("shpFile", slot), QRect(16, 80 + d, 577, 113));
    back->gradient(QColor(0xA8, 0xCA, 0xE5), Qt::white);

    QLabel* nameCaption = nullptr;
    QLabel* descCaption = nullptr;
    for (const SlotRow& row : kSlotRows) {
        const QString name = slotName(row.prefix, slot);
        const QRect geometry = row.geometry.translated(0, d);
        QString text = QString::fromUtf8(row.text);
        if (text.contains(QLatin1String("%1")))
            text = text.arg(slot + 1);
        switch (row.kind) {
        case SlotControl::NameCaption:
        case SlotControl::DescCaption: {
            auto* caption = new QLabel(text, panel);
            caption->setObjectName(name);
            caption->setFont(uiFont(QStringLiteral("Verdana"), 12));
            caption->move(geometry.topLeft());
            caption->adjustSize();
            (row.kind == SlotControl::NameCaption ? nameCaption : descCaption) = caption;
            break;
        }
        case SlotControl::File:
            txtFile[s] = new QLineEdit(panel);
            txtFile[s]->setObjectName(name);
            txtFile[s]->setGeometry(geometry);
            txtFile[s]->setReadOnly(true);
            showTextFromStart(txtFile[s]);
            useDesignColours(txtFile[s]);
            txtFile[s]->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
            txtFile[s]->setStyleSheet(
                QStringLiteral("QLineEdit { background: #E4E4E4; color: #505050; }"));
            connect(txtFile[s], &QLineEdit::textChanged, this,
                    [this, slot] { txtFileChange(slot); });
            break;
        case SlotControl::Eraser:
            imgCancella[s] =
                new Picture(panel, name, geometry, QStringLiteral(":/export/gomma.svg"),
                            QStringLiteral("Cancella il %1\u00b0 file allegato").arg(slot + 1));
            imgCancella[s]->setClickable(true);
            connect(imgCancella[s], &Picture::clicked, this,
                    [this, slot] { imgCancellaClick(slot); });
            break;
        case SlotControl::Browse:
            btnSfoglia[s] = makeCommandButton(panel, name, text, geometry);
            connect(btnSfoglia[s], &QPushButton::clicked, this,
                    [this, slot] { btnSfogliaClick(slot); });
            break;
        case SlotControl::Open:
            btnApri[s] = makeCommandButton(panel, name, text, geometry);
            btnApri[s]->setEnabled(false);
            connect(btnApri[s], &QPushButton::clicked, this, [this, slot] { btnApriClick(slot); });
            break;
        case SlotControl::Desc:
            txtDesc[s] = new QLineEdit(panel);
            txtDesc[s]->setObjectName(name);
            txtDesc[s]->setGeometry(geometry);
            txtDesc[s]->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
            txtDesc[s]->setMaxLength(32767);
            break;
        }
    }
    nameCaption->setBuddy(txtFile[s]);
    descCaption->setBuddy(txtDesc[s]);
    txtFile[s]->setAccessibleName(nameCaption->text());
    txtDesc[s]->setAccessibleName(descCaption->text());
    btnSfoglia[s]->setAccessibleName(QStringLiteral("Sfoglia, %1\u00b0 file").arg(slot + 1));
    btnApri[s]->setAccessibleName(QStringLiteral("Apri il %1\u00b0 file allegato").arg(slot + 1));
}

void TfrmAllegaCartella::txtFileChange(int slot)
{
    btnApri[size_t(slot)]->setEnabled(!trimText(txtFile[size_t(slot)]->text()).isEmpty());
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const size_t s = size_t(slot);
    // A cancelled dialog ends the action: nothing is asked and nothing is copied.
    const QString picked = chooseFileToOpen(this, kDialogCaption, QString(), kAllFiles);
    if (picked.isEmpty())
        return;
    const QString name = QFileInfo(picked).fileName();
    if (!isBareFileName(name)) {
        showMessage(this, MessageKind::Warning, kNotBareName);
        return;
    }
    // Refused before anything is copied: a name the card would store changed, and anything
    // that is not a regular file (reading a FIFO would wait for good).
    if (!isStorableAttachmentName(name)) {
        showMessage(this, MessageKind::Warning, kNotStorableName);
        return;
    }
    if (!QFileInfo(picked).isFile()) {
        showMessage(this, MessageKind::Warning, kNotRegularFile);
        return;
    }

    // The slot takes the new name only once the file is in the folder; a copy that fails says
    // so and leaves the slot as it was.
    const QString target = attachmentPath(name);
    if (!QDir().mkpath(attachmentFolder())) {
        showMessage(this, MessageKind::Warning, kNotAttached);
        return;
    }
    const QFileInfo existing(target);
    const bool sameFile =
        existing.exists() && existing.canonicalFilePath() == QFileInfo(picked).canonicalFilePath();
    // The chosen file already is the attachment; or the user keeps the stored file of that
    // name, which the slot then names.
    if (sameFile
        || (existing.exists()
            && !confirmed(showMessage(this, MessageKind::Confirmation, kOverwrite)))) {
        txtFile[s]->setText(name);
        return;
    }
    if (!copyReplacing(picked, target)) {
        showMessage(this, MessageKind::Warning, kNotAttached);
        return;
    }
    txtFile[s]->setText(name);
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    const QString name = trimText(txtFile[size_t(slot)]->text());
    if (name.isEmpty())
        return;
    if (!isBareFileName(name)) {
        showMessage(this, MessageKind::Warning, kNotBareName);
        return;
    }
    TMisc::Open(QLatin1Char('"') + attachmentPath(name) + QLatin1Char('"'));
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    txtFile[size_t(slot)]->clear();
}

void TfrmAllegaCartella::btnApplicaClick()
{
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}
