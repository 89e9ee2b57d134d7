#include "registry/trovaclienti.h"

#include "core/base/fonts.h"
#include "core/registry/cardsearch.h"
#include "core/registry/registry.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/longwork.h"
#include "ui/messages.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <functional>

namespace {

using F = AnagraficaField;

// One filter of the filter panel, in tab order: its field, caption, place, the field Enter
// moves to, and the card field it is looked for in.
struct FilterRow {
    const char* control;
    const char* caption;
    QRect geometry;
    const char* enterMovesTo;
    AnagraficaField field;
};

const std::array<FilterRow, TfrmTrovaClienti::kFilterCount> kFilterTable = {{
    {"txtCognome", "Cognome:", {144, 133, 320, 22}, "txtDitta", F::Cognome},
    {"txtDitta", "Denominazione ditta:", {488, 133, 320, 22}, "txtPartitaIva", F::Ditta},
    {"txtPartitaIva", "Partita IVA:", {144, 195, 320, 22}, "txtCodFisc", F::PartitaIva},
    {"txtCodFisc", "Codice fiscale:", {488, 195, 320, 22}, "txtComuneRes", F::CodFisc},
    {"txtComuneRes", "Comune di residenza:", {144, 257, 320, 22}, "txtTelCel", F::ComuneRes},
    {"txtTelCel", "Tel. cellulare:", {488, 257, 320, 22}, "txtConducente", F::TelCel},
    {"txtConducente", "Mansioni:", {144, 319, 320, 22}, "txtCodiceDest", F::Conducente},
    {"txtCodiceDest", "Codice Destinatario:", {488, 319, 320, 22}, "txtQuestioni", F::CodiceDest},
    {"txtQuestioni", "Questioni in sospeso:", {144, 381, 664, 22}, "txtNote", F::Questioni},
    {"txtNote", "Note:", {144, 438, 664, 22}, "txtCognome", F::Note},
}};

const char* const kExplanation[] = {
    "Immettere nei campi prescelti una o pi\u00f9 parole consecutive presenti nelle schede da "
    "trovare e premere il pulsante Cerca.",
    "Lasciare in bianco tutti gli altri campi.",
    "Per ogni ricerca \u00e8 possibile utilizzare uno o pi\u00f9 campi contemporaneamente.",
};

const QColor kDarkCyan(0x00, 0x8B, 0x8B);
const QColor kFieldAreaTop(0xBE, 0xC4, 0xCA);
const QColor kPanelTop(0xE4, 0xE9, 0xEF);
const QColor kPanelBorder(0x8C, 0x9B, 0xAB);

QLabel* makeStatusLabel(QWidget* panel, const char* name, const QString& text)
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kDarkCyan);
    label->setPalette(pal);
    label->setGeometry(177, 494, 490, 20);
    return label;
}

} // namespace

TfrmTrovaClienti::TfrmTrovaClienti(TfrmClienti* cards)
    : CardListDialog(cards, QStringLiteral("frmTrovaClienti"),
                     QStringLiteral(" Trova schede anagrafiche in archivio"))
{
    buildFilterPanel();

    panRisultati = buildResultPanel(
        QStringLiteral(":/search/risultati.svg"), QStringLiteral("Risultati di ricerca"),
        {QStringLiteral("txtTrova"), QStringLiteral("btnTrova"), QStringLiteral("lstRecords"),
         QStringLiteral("btnStampa"), QStringLiteral("btnChiudi")});
    lblTrovate = makeStatusLabel(panRisultati, "lblTrovate",
                                 QStringLiteral("Il presente elenco contiene 0 schede."));
    panRisultati->hide();
}

void TfrmTrovaClienti::buildFilterPanel()
{
    panFiltri = new QWidget(container());
    panFiltri->setObjectName(QStringLiteral("panFiltri"));
    panFiltri->setGeometry(container()->rect());
    (new ShapeRect(panFiltri, QStringLiteral("bkgFiltri"), panFiltri->rect()))
        ->gradient(kPanelTop, Qt::white)
        .outline(kPanelBorder)
        .rounded(4);

    // The explanation box.
    (new ShapeRect(panFiltri, QStringLiteral("shpSpiegazione"), QRect(8, 8, 817, 78)))
        ->fill(Qt::white)
        .outline(kPanelBorder);
    new Picture(panFiltri, QStringLiteral("icoSpiegazione"), QRect(18, 15, 64, 64),
                QStringLiteral(":/search/spiegazione.svg"),
                QStringLiteral("Ricerca nelle schede anagrafiche"));
    const QFont textFont = uiFont(QStringLiteral("Verdana"), 11);
    for (int i = 0; i < 3; ++i) {
        auto* line = new QLabel(QString::fromUtf8(kExplanation[i]), panFiltri);
        line->setObjectName(QStringLiteral("lblSpiegazione%1").arg(i + 1));
        line->setFont(textFont);
        line->setGeometry(92, 17 + 20 * i, 728, 18);
    }

    // The field area with its column of pictures, then the ten filters.
    (new ShapeRect(panFiltri, QStringLiteral("shpCampi"), QRect(8, 96, 817, 382)))
        ->gradient(kFieldAreaTop, Qt::white)
        .outline(kPanelBorder);
    (new ShapeRect(panFiltri, QStringLiteral("bkgColonna"), QRect(24, 112, 97, 349)))
        ->fill(Qt::white);
    new Picture(panFiltri, QStringLiteral("icoColonna"), QRect(24, 112, 97, 349),
                QStringLiteral(":/search/colonna.svg"), QStringLiteral("Campi di ricerca"));

    const QFont editFont = uiFont(QStringLiteral("Verdana"), 12, true);
    const QFont captionFont = uiFont(QStringLiteral("Verdana"), 12);
    for (size_t i = 0; i < kFilterTable.size(); ++i) {
        const FilterRow& row = kFilterTable[i];
        auto* edit = new QLineEdit(panFiltri);
        edit->setObjectName(QString::fromLatin1(row.control));
        edit->setGeometry(row.geometry);
        edit->setFont(editFont);
        edit->setAccessibleName(QString::fromUtf8(row.caption));
        auto* caption = new QLabel(QString::fromUtf8(row.caption), panFiltri);
        caption->setObjectName(QStringLiteral("lbl") + edit->objectName().mid(3));
        caption->setFont(captionFont);
        caption->adjustSize();
        caption->move(row.geometry.left(), row.geometry.top() - 18);
        caption->setBuddy(edit);
        attachFocusHighlight(edit);
        filters[i] = edit;
    }
    for (size_t i = 0; i < kFilterTable.size(); ++i) {
        auto* next =
            panFiltri->findChild<QLineEdit*>(QString::fromLatin1(kFilterTable[i].enterMovesTo));
        setEnterTarget(filters[i], next);
    }

    btnAnnulla = makeCommandButton(panFiltri, QStringLiteral("btnAnnulla"),
                                   QStringLiteral("Chiudi"), QRect(8, 488, 150, 30));
    btnCerca = makeCommandButton(panFiltri, QStringLiteral("btnCerca"), QStringLiteral("Cerca"),
                                 QRect(675, 488, 150, 30));
    btnCerca->installEventFilter(this);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaClienti::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaClienti::btnAnnullaClick);

    QWidget* previous = nullptr;
    for (QWidget* current : filters) {
        if (previous)
            setTabOrder(previous, current);
        previous = current;
    }
    setTabOrder(previous, btnCerca);
    setTabOrder(btnCerca, btnAnnulla);

    lblAttendere = makeStatusLabel(panFiltri, "lblAttendere",
                                   QStringLiteral("Ricerca schede in corso. Attendere..."));
    lblAttendere->hide();
}

QString TfrmTrovaClienti::reportTitle() const
{
    return QStringLiteral("Riepilogo schede anagrafiche");
}

void TfrmTrovaClienti::showEvent(QShowEvent* event)
{
    CardListDialog::showEvent(event);
    if (!event->spontaneous()) {
        resetFind();
        filters[0]->setFocus(Qt::OtherFocusReason);
    }
}

void TfrmTrovaClienti::btnCercaMouseDown()
{
    lblAttendere->show();
}

void TfrmTrovaClienti::btnCercaClick()
{
    // Shown before the registry is read, also when "Cerca" is pressed from the keyboard.
    lblAttendere->show();
    lblAttendere->repaint();

    CardFilters wanted;
    for (size_t i = 0; i < kFilterTable.size(); ++i)
        wanted.add(kFilterTable[i].field, filters[i]->text());
    LongWork work(this, QStringLiteral(" Ricerca schede in corso"),
                  QStringLiteral("Schede lette: %1 su %2"));
    // With no filter in play every card is listed, and none needs looking at.
    std::function<bool(const AnagraficaRecord&)> accept;
    if (wanted.inPlay() > 0)
        accept = [&wanted](const AnagraficaRecord& card) { return wanted.accepts(card); };
    CardLines found = readCardLines(lastColumn(), accept, work.progress());
    if (work.stopped()) {
        // Stopped by the person: the filters stay as typed for another try, nothing is listed.
        clearLines();
        lblAttendere->hide();
        filters[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!found.ok) {
        clearLines();
        lblAttendere->hide();
        showMessage(this, MessageKind::Plain, kAccessFailureMessage);
        return;
    }
    setLines(std::move(found.lines));
    lblTrovate->setText(
        QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lineCount()));
    panRisultati->show();
    panFiltri->hide();
    resetFind();
    focusFindField();
}

void TfrmTrovaClienti::btnAnnullaClick()
{
    close();
}

void TfrmTrovaClienti::done(int result)
{
    lblAttendere->hide();
    CardListDialog::done(result);
}

bool TfrmTrovaClienti::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    return CardListDialog::eventFilter(watched, event);
}
