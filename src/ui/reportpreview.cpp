#include "ui/reportpreview.h"

#include "core/reports/reportdocument.h"
#include "core/reports/reportrender.h"
#include "ui/reportoutput.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Zoom levels offered in the toolbar, in per cent.
const int kZoomLevels[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};

QAction* toolAction(QToolBar* bar, const QString& name, const QString& text, const QString& icon,
                    const QKeySequence& shortcut)
{
    QAction* action = bar->addAction(QIcon(icon), text);
    action->setObjectName(name);
    action->setToolTip(text);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

} // namespace

ReportPreviewWindow::ReportPreviewWindow(QWidget* parent, const ReportDocument& document)
    : QDialog(parent), m_document(document), m_printer(new QPrinter(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprimaReport"));
    setWindowTitle(document.name());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setWindowModality(Qt::ApplicationModal);

    m_printer->setDocName(document.name());
    m_printer->setPageLayout(document.pageLayout());

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbrAnteprima"));
    bar->setIconSize(QSize(28, 28));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setMovable(false);

    QAction* print = toolAction(bar, QStringLiteral("actStampa"), QStringLiteral("Stampa"),
                                QStringLiteral(":/reports/stampa.svg"), QKeySequence::Print);
    bar->addSeparator();
    QAction* zoomOut = toolAction(bar, QStringLiteral("actRiduci"), QStringLiteral("Riduci"),
                                  QStringLiteral(":/reports/riduci.svg"), QKeySequence::ZoomOut);
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("cmbZoom"));
    m_zoom->setToolTip(QStringLiteral("Zoom"));
    for (int level : kZoomLevels)
        m_zoom->addItem(QStringLiteral("%1 %").arg(level), level);
    m_zoom->addItem(QStringLiteral("Larghezza pagina"), -1);
    m_zoom->addItem(QStringLiteral("Pagina intera"), -2);
    bar->addWidget(m_zoom);
    QAction* zoomIn =
        toolAction(bar, QStringLiteral("actIngrandisci"), QStringLiteral("Ingrandisci"),
                   QStringLiteral(":/reports/ingrandisci.svg"), QKeySequence::ZoomIn);
    bar->addSeparator();
    QAction* fullScreen =
        toolAction(bar, QStringLiteral("actSchermoIntero"), QStringLiteral("Schermo intero"),
                   QStringLiteral(":/reports/schermointero.svg"), QKeySequence(Qt::Key_F11));
    fullScreen->setCheckable(true);
    QAction* close =
        toolAction(bar, QStringLiteral("actChiudi"), QStringLiteral("Chiudi"),
                   QStringLiteral(":/reports/chiudi.svg"), QKeySequence(Qt::Key_Escape));

    m_view = new QPrintPreviewWidget(m_printer, this);
    m_view->setObjectName(QStringLiteral("prvPagine"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        const double scale = printer->logicalDpiX() / 96.0;
        const auto& pages = m_document.preparedPages();
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                printer->newPage();
            painter.resetTransform();
            painter.scale(scale, scale);
            drawPreparedPage(painter, pages[i]);
        }
    });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreviewWindow::showZoom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);

    connect(print, &QAction::triggered, this, [this] { printReport(this, m_document); });
    connect(zoomIn, &QAction::triggered, this, [this] {
        m_view->zoomIn(1.25);
        showZoom();
    });
    connect(zoomOut, &QAction::triggered, this, [this] {
        m_view->zoomOut(1.25);
        showZoom();
    });
    connect(m_zoom, &QComboBox::activated, this, &ReportPreviewWindow::zoomChosen);
    connect(fullScreen, &QAction::toggled, this, &ReportPreviewWindow::toggleFullScreen);
    connect(close, &QAction::triggered, this, &QDialog::accept);

    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->setZoomFactor(1.0);
    showZoom();
    resize(1024, 768);
    setWindowState(Qt::WindowMaximized);
}

ReportPreviewWindow::~ReportPreviewWindow()
{
    delete m_view; // it paints on the printer, so it goes first
    delete m_printer;
}

void ReportPreviewWindow::zoomChosen(int index)
{
    const int level = m_zoom->itemData(index).toInt();
    if (level == -1)
        m_view->fitToWidth();
    else if (level == -2)
        m_view->fitInView();
    else
        m_view->setZoomFactor(level / 100.0);
    showZoom();
}

void ReportPreviewWindow::showZoom()
{
    if (m_view->zoomMode() != QPrintPreviewWidget::CustomZoom)
        return;
    const int percent = qRound(m_view->zoomFactor() * 100);
    const int found = m_zoom->findData(percent);
    if (found >= 0) {
        m_zoom->setCurrentIndex(found);
    } else {
        m_zoom->setEditable(false);
        m_zoom->setCurrentIndex(-1);
        m_zoom->setPlaceholderText(QStringLiteral("%1 %").arg(percent));
    }
}

void ReportPreviewWindow::toggleFullScreen(bool on)
{
    if (on)
        showFullScreen();
    else
        showMaximized();
}
