#include "registry/expclienti.h"

#include "core/base/fonts.h"
#include "core/help/helptexts.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "help/guida.h"
#include "help/openurl.h"
#include "registry/exportgrid.h"
#include "ui/decor.h"
#include "ui/infoline.h"
#include "ui/longwork.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>

namespace {

const QString kExportQuestion =
    QStringLiteral("L'esportazione dei dati in Excel pu\u00f2 richiedere diversi minuti a seconda "
                   "del numero di schede presenti in archivio.")
    + QStringLiteral("\r\n\r\n") + QStringLiteral("Si vuole esportare i dati adesso?");
const QString kExported = QStringLiteral("Le schede in archivio sono state esportate con successo.")
                          + QStringLiteral("\r\n\r\n")
                          + QStringLiteral("Si vuole aprire il file di Excel?");
const QString kExportFailed =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.")
    + QStringLiteral("\n\r\n\r")
    + QStringLiteral("Accertarsi che il file di Excel non sia gi\u00e0 aperto.");

const QColor kWindowGrey(0xEE, 0xED, 0xED);
const QColor kSlateBlue(0x6A, 0x5A, 0xCD);

struct CommandRow {
    const char* control;
    QRect geometry;
    const char* picture;
    const char* accessibleName;
    const char* hint;
    void (TfrmExpClienti::*handler)();
};

const CommandRow kCommands[] = {
    {"cmdEsporta", QRect(566, 15, 49, 50), ":/export/esporta.svg", "Esporta archivio",
     "Esporta l'archivio in formato Microsoft Excel.", &TfrmExpClienti::cmdEsportaClick},
    {"cmdGuida", QRect(670, 13, 50, 55), ":/export/guida.svg", "Guida",
     "Visualizza la pagina della guida sensibile al contesto.", &TfrmExpClienti::cmdGuidaClick},
    {"cmdEsci", QRect(766, 15, 40, 50), ":/export/esci.svg", "Esci",
     "Esci da questo ambiente di lavoro.", &TfrmExpClienti::cmdEsciClick},
};

} // namespace

TfrmExpClienti::TfrmExpClienti(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmExpClienti"));
    setupFixedWindow(this, QStringLiteral(" Esporta archivio anagrafico in Microsoft Excel"),
                     QSize(862, 560));
    setWindowFill(this, kWindowGrey);
    QWidget* panel = makeCentredContainer(this, QSize(837, 533));

    shpIntestazione = new ShapeRect(panel, QStringLiteral("shpIntestazione"), QRect(8, 8, 821, 65));
    shpIntestazione->fill(Qt::white).outline(QColor(0xC8, 0xC8, 0xC8));
    titEsportazione =
        new Picture(panel, QStringLiteral("titEsportazione"), QRect(13, 13, 505, 55),
                    QStringLiteral(":/export/banner.svg"), QStringLiteral("Esportazione in Excel"));
    imgMano = new Picture(panel, QStringLiteral("imgMano"), QRect(528, 32, 31, 25),
                          QStringLiteral(":/export/mano.svg"));

    m_info = new InfoLine(panel, QRect(8, 493, 821, 32),
                          QStringLiteral("Esportazione archivio in Microsoft Excel."));
    m_info->bar()->fill(kSlateBlue);
    m_info->label()->setGeometry(14, 493, 809, 32);

    Picture** commandMembers[] = {&cmdEsporta, &cmdGuida, &cmdEsci};
    size_t i = 0;
    for (const CommandRow& row : kCommands) {
        auto* button =
            new Picture(panel, QString::fromLatin1(row.control), row.geometry,
                        QString::fromLatin1(row.picture), QString::fromLatin1(row.accessibleName));
        button->setClickable(true);
        connect(button, &Picture::clicked, this, row.handler);
        m_info->setHint(button, QString::fromLatin1(row.hint));
        *commandMembers[i++] = button;
    }

    m_model = new ExportGridModel(this);
    grdRecords = new QTableView(panel);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 80, 821, 409);
    grdRecords->setModel(m_model);
    grdRecords->setFont(uiFont(QStringLiteral("Verdana"), 12));
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setAccessibleName(QStringLiteral("Schede in archivio"));
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    setupExportGridKeys(grdRecords);
    grdRecords->setStyleSheet(QStringLiteral(
        "QTableView { background: white; color: black; alternate-background-color: #EAF1FB; "
        "gridline-color: #C8D2E0; }"
        "QHeaderView::section { background: #DDE6F2; color: black; font-weight: bold; "
        "padding-left: 3px; "
        "border: none; border-right: 1px solid #C8D2E0; border-bottom: 1px solid #C8D2E0; }"));
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->verticalHeader()->setMinimumSectionSize(21);
    QHeaderView* header = grdRecords->horizontalHeader();
    header->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    for (int c = 0; c < kExportColumnCount; ++c)
        grdRecords->setColumnWidth(c, exportColumns()[size_t(c)].gridWidth);
    useDesignColours(grdRecords);

    m_info->addClearer(this);
    m_info->addClearer(panel);
    m_info->addClearer(grdRecords);
    m_info->addClearer(grdRecords->viewport());
    m_info->addClearer(titEsportazione);
    m_info->addClearer(imgMano);

    setTabOrder(grdRecords, cmdEsporta);
    setTabOrder(cmdEsporta, cmdGuida);
    setTabOrder(cmdGuida, cmdEsci);
}

void TfrmExpClienti::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !m_filled)
        FormShow();
}

void TfrmExpClienti::FormShow()
{
    m_filled = true;
    LongWork work(this, QStringLiteral(" Lettura dell'archivio in corso"),
                  QStringLiteral("Schede lette: %1 su %2"));
    m_registryRead = m_model->fillFromRegistry(registryFilePath(), work.progress());
    if (work.stopped()) {
        // Stopped by the person: a grid of part of the registry must not be exported as the
        // whole one, so the screen closes and the person is back on the card screen.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    grdRecords->setFocus(Qt::OtherFocusReason);
}

void TfrmExpClienti::commitOpenEditor()
{
    // The grid holds no widgets of its own, so a widget at the current cell is its editor.
    if (QWidget* editor = grdRecords->indexWidget(grdRecords->currentIndex())) {
        // The grid's own slots: the typed text goes into the model, the editor closes.
        QMetaObject::invokeMethod(grdRecords, "commitData", Qt::DirectConnection,
                                  Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(
            grdRecords, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void TfrmExpClienti::cmdEsportaClick()
{
    commitOpenEditor();
    // A registry that could not be read leaves the grid without its cards: the file exported
    // before stays as it is.
    if (!m_registryRead) {
        showMessage(this, MessageKind::Plain, kAccessFailureMessage);
        return;
    }
    if (!confirmed(showMessage(this, MessageKind::Confirmation, kExportQuestion)))
        return;
    const QString path = exportFilePath();
    LongWork work(this, QStringLiteral(" Esportazione in corso"),
                  QStringLiteral("Righe scritte: %1 su %2"));
    const bool written = writeExportFile(path, m_model->exportGrid(), work.progress()).ok();
    // Stopped by the person: the file exported before stays as it was, and nothing is said.
    if (work.stopped())
        return;
    if (!written) {
        showMessage(this, MessageKind::Plain, kExportFailed);
        return;
    }
    if (confirmed(showMessage(this, MessageKind::Confirmation, kExported)))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

void TfrmExpClienti::cmdGuidaClick()
{
    showHelp(this, kExportHelpTitle, exportHelpText());
}

void TfrmExpClienti::cmdEsciClick()
{
    close();
}
