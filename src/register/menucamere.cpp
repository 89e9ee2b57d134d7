#include "register/menucamere.h"

#include "core/base/clock.h"
#include "core/base/findinlist.h"
#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/help/helptexts.h"
#include "core/register/yearfile.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/cardsearch.h"
#include "core/registry/listline.h"
#include "core/registry/personlist.h"
#include "core/registry/registry.h"
#include "core/storage/text.h"
#include "help/guida.h"
#include "register/artwork.h"
#include "register/planning.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/longwork.h"
#include "ui/messages.h"
#include "ui/screenflow.h"
#include "ui/storedlines.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QColor kFill(0x28, 0x53, 0xA2);
const QColor kBox(0xDE, 0xEA, 0xF3);

QLabel* textLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                  const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TfrmMenuCamere::TfrmMenuCamere(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMenuCamere"));
    setupMaximisedWindow(this, QStringLiteral(" Vestrano - Registrazione presenze"));
    setWindowGradient(this, kFill);
    QWidget* panel = makeCentredContainer(this, QSize(995, 692));

    // Boxes behind the controls: the title band, the search bar, the list, the year row and
    // the command row.
    (new ShapeRect(panel, QStringLiteral("shpTitolo"), QRect(16, 16, 963, 100)))
        ->gradient(QColor(0x33, 0x66, 0xBB), kFill)
        .outline(QColor(0x1C, 0x3D, 0x7A))
        .rounded(6);
    (new ShapeRect(panel, QStringLiteral("shpTrova"), QRect(26, 156, 943, 46)))
        ->fill(kBox)
        .rounded(4);
    (new ShapeRect(panel, QStringLiteral("shpElenco"), QRect(26, 210, 943, 296)))
        ->fill(kBox)
        .rounded(4);
    (new ShapeRect(panel, QStringLiteral("shpAnno"), QRect(358, 520, 348, 48)))
        ->fill(kBox)
        .rounded(4);
    (new ShapeRect(panel, QStringLiteral("shpComandi"), QRect(26, 594, 943, 87)))
        ->fill(Qt::white)
        .outline(QColor(0xB8, 0xC9, 0xDD))
        .rounded(6);

    new Picture(panel, QStringLiteral("icoTitolo"), QRect(166, 43, 757, 53),
                registerArt("titolo_presenze"), QStringLiteral("Registrazione presenze"));
    new Picture(panel, QStringLiteral("icoLetto"), QRect(30, 30, 85, 72),
                registerArt("icona_registro"), QStringLiteral("Registro presenze"));
    textLabel(panel, "lblInformazioni",
              QStringLiteral("Selezionare una scheda anagrafica e un anno solare e premere il "
                             "pulsante Apri."),
              QPoint(26, 130), uiFont(QStringLiteral("Verdana"), 12), QColor(Qt::yellow));

    txtTrova = new QLineEdit(panel);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(36, 167, 789, 22);
    txtTrova->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setAccessibleName(QStringLiteral("Testo da cercare nell'elenco"));
    btnTrova = makeCommandButton(panel, QStringLiteral("btnTrova"), QStringLiteral("Trova"),
                                 QRect(832, 162, 128, 30), true);

    lstRecords = new QListWidget(panel);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(32, 218, 929, 280);
    lstRecords->setFont(uiFont(QStringLiteral("Courier New"), 12));
    lstRecords->setStyleSheet(QStringLiteral("QListWidget { color: black; background: white; }"));
    useDesignColours(lstRecords);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line has the same height: the list need not measure each of them.
    lstRecords->setUniformItemSizes(true);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setAccessibleName(QStringLiteral("Elenco delle schede anagrafiche"));

    textLabel(panel, "titAnno", QStringLiteral("Anno:"), QPoint(370, 534),
              uiFont(QStringLiteral("Verdana"), 14), QColor(Qt::black));
    txtAnnoFatture = new QLineEdit(panel);
    txtAnnoFatture->setObjectName(QStringLiteral("txtAnnoFatture"));
    txtAnnoFatture->setGeometry(422, 530, 94, 28);
    txtAnnoFatture->setFont(uiFont(QStringLiteral("Verdana"), 14, true));
    txtAnnoFatture->setMaxLength(4);
    txtAnnoFatture->setAccessibleName(QStringLiteral("Anno solare"));
    // Only digits reach the year: no paste through a menu and no dropped text either.
    txtAnnoFatture->setContextMenuPolicy(Qt::NoContextMenu);
    txtAnnoFatture->setAcceptDrops(false);
    btnApriFatture = makeCommandButton(panel, QStringLiteral("btnApriFatture"),
                                       QStringLiteral("Apri"), QRect(526, 530, 122, 28), true);
    acceptDigitsOnly(txtAnnoFatture);
    setEnterTarget(txtAnnoFatture, btnApriFatture);
    icoMano = new Picture(panel, QStringLiteral("icoMano"), QRect(656, 536, 36, 19),
                          registerArt("mano"), QStringLiteral("Persona selezionata"));
    icoMano->hide();

    imgGuida = new Picture(panel, QStringLiteral("imgGuida"), QRect(40, 604, 141, 67),
                           registerArt("pulsante_guida"), QStringLiteral("Guida"));
    imgGuida->setClickable(true);
    imgEsci = new Picture(panel, QStringLiteral("imgEsci"), QRect(812, 604, 140, 67),
                          registerArt("pulsante_esci"), QStringLiteral("Esci"));
    imgEsci->setClickable(true);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, txtAnnoFatture);
    setTabOrder(txtAnnoFatture, lstRecords);
    setTabOrder(lstRecords, btnApriFatture);
    setTabOrder(btnApriFatture, imgGuida);
    setTabOrder(imgGuida, imgEsci);

    setEnterTarget(txtTrova, btnTrova);

    connect(btnTrova, &QPushButton::clicked, this, &TfrmMenuCamere::btnTrovaClick);
    connect(btnApriFatture, &QPushButton::clicked, this, &TfrmMenuCamere::btnApriFattureClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmMenuCamere::imgGuidaClick);
    connect(imgEsci, &Picture::clicked, this, &TfrmMenuCamere::imgEsciClick);
    connect(lstRecords, &QListWidget::itemClicked, this, &TfrmMenuCamere::lstRecordsClick);
    // A line reached with the arrow keys shows the hand; its card is looked up only when the
    // line is chosen (a click, Trova) or Apri is pressed, so moving through the list never
    // reads the registry.
    connect(lstRecords, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_selecting && row >= 0)
            icoMano->show();
    });

    applyProcessFormats();
}

TfrmMenuCamere::~TfrmMenuCamere()
{
    // The list's items show the lines held here: they go before the lines do.
    lstRecords->clear();
}

void TfrmMenuCamere::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Coming back from a minimised window is no new showing.
    if (!event->spontaneous())
        FormShow();
}

void TfrmMenuCamere::FormShow()
{
    m_choice = PersonYear();
    m_resolvedRow = -1;
    icoMano->hide();
    buildList();
    txtAnnoFatture->setText(
        QString::number(currentDateTime().date().year()).rightJustified(4, QLatin1Char('0')));
    m_next = Next::Avvio;
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuCamere::buildList()
{
    m_selecting = true;
    lstRecords->clear();
    lstRecords->setCurrentRow(-1);
    m_selecting = false;
    m_lines.clear();
    // A registry that cannot be read leaves the lines listed so far, without a message. The
    // lines are collected first, as the registry stores their characters, and handed to the
    // list in one go.
    LongWork work(this, QStringLiteral(" Lettura dell'archivio in corso"),
                  QStringLiteral("Schede lette: %1 su %2"));
    // The cards are read in place, none is copied.
    Registry().scanBytes(
        [&](qint64, const char* card) {
            if (storedValue(card, AnagraficaField::CodFisc).second > 0)
                m_lines.appendWith(
                    [card](std::string& out) { appendPersonListLineBytes(card, out); });
        },
        [this](qint64 cards) { m_lines.reserve(cards, kPersonListLineLength); }, work.progress());
    // Stopped by the person: nothing listed, and back to the start menu as Esci would.
    if (work.stopped()) {
        m_lines.clear();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    addStoredLines(lstRecords, &m_lines);
}

int TfrmMenuCamere::selectedRow() const
{
    const QList<QListWidgetItem*> selected = lstRecords->selectedItems();
    return selected.isEmpty() ? -1 : lstRecords->row(selected.first());
}

void TfrmMenuCamere::selectRow(int row)
{
    m_selecting = true;
    if (row < 0) {
        lstRecords->clearSelection();
        lstRecords->setCurrentRow(-1);
    } else {
        lstRecords->setCurrentRow(row);
        lstRecords->scrollToItem(lstRecords->item(row));
    }
    m_selecting = false;
}

void TfrmMenuCamere::lstRecordsClick()
{
    const int row = selectedRow();
    if (row >= 0)
        resolveRow(row);
}

void TfrmMenuCamere::resolveRow(int row)
{
    // Every card giving the same line is looked at; the last one in the file is taken.
    const CardOfLine found =
        findCardOfLine(m_lines.at(row), [](const AnagraficaRecord& card, std::string& out) {
            appendPersonListLineBytes(card, out);
        });
    if (found.index < 0)
        return;
    const AnagraficaRecord& card = found.record;
    m_choice.persona = personName(card);
    m_choice.recapito = card.get(AnagraficaField::Recapito);
    m_choice.codFisc = card.get(AnagraficaField::CodFisc);
    m_choice.mansioni = card.get(AnagraficaField::Conducente);
    m_resolvedRow = row;
    icoMano->show();
}

void TfrmMenuCamere::btnTrovaClick()
{
    if (lstRecords->count() == 0) {
        showMessage(this, MessageKind::Plain,
                    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (selectedRow() < 0)
        selectRow(0);
    const FindInListResult result = FindInList(
        lstRecords->count(), [this](int index) { return m_lines.at(index); }, selectedRow(),
        txtTrova->text(), m_lastSearch);
    if (result.outcome == FindInListResult::Found) {
        selectRow(result.selection);
        icoMano->show();
        lstRecordsClick();
    } else {
        // The last person chosen is kept; Apri asks for a selection all the same.
        selectRow(-1);
        icoMano->hide();
    }
}

void TfrmMenuCamere::btnApriFattureClick()
{
    if (txtAnnoFatture->text().size() != 4) {
        showMessage(
            this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        txtAnnoFatture->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (lstRecords->count() == 0) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: l'elenco delle schede anagrafiche non contiene "
                                   "nessuna voce.")
                        + QStringLiteral("\n\r\n\r")
                        + QStringLiteral("Per poter utilizzare il registro delle presenze \u00e8 "
                                         "necessario salvare almeno una scheda anagrafica."));
        return;
    }
    if (selectedRow() < 0) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: selezionare una scheda anagrafica dall'elenco "
                                   "prima di premere il pulsante Apri."));
        return;
    }
    // A line reached with the keyboard is looked up now, once.
    if (selectedRow() != m_resolvedRow)
        resolveRow(selectedRow());
    m_choice.year = trimText(txtAnnoFatture->text());
    m_choice.file = YearFileName(trimText(m_choice.codFisc), m_choice.year);
    m_choice.persona = trimText(m_choice.persona);
    m_choice.recapito = trimText(m_choice.recapito);
    m_choice.codFisc = trimText(m_choice.codFisc);
    m_choice.mansioni = trimText(m_choice.mansioni);
    if (auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data()))
        calendar->setChoice(m_choice);
    m_next = Next::Planning;
    close();
}

void TfrmMenuCamere::imgGuidaClick()
{
    showHelp(this, kRegisterHelpTitle, registerHelpText());
}

void TfrmMenuCamere::imgEsciClick()
{
    close();
}

void TfrmMenuCamere::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_next == Next::Avvio)
        switchScreen(this, screens().frmAvvio);
    else
        switchScreen(this, screens().frmPlanning);
}
