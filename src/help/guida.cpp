#include "help/guida.h"

#include "core/base/fonts.h"
#include "core/storage/programfolder.h"
#include "help/linklabel.h"
#include "help/openurl.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace {
const QSize kClientSize(670, 572);
}

TfrmGuida::TfrmGuida(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmGuida"));
    setupFixedWindow(this, QStringLiteral(" Guida all'utilizzo del software"), kClientSize);
    setWindowGradient(this, QColor(0xBF, 0xD8, 0xEF), GradientFrom::Bottom);
    QWidget* box = makeCentredContainer(this, QSize(642, 540));

    shpSfondo = new ShapeRect(box, QStringLiteral("shpSfondo"), QRect(8, 8, 625, 89));
    shpSfondo->fill(Qt::white).outline(QColor(0xF5, 0xDE, 0xB3));
    imgLogo = new Picture(box, QStringLiteral("imgLogo"), QRect(24, 16, 587, 69),
                          QStringLiteral(":/app/logo_wide.svg"), QStringLiteral("Vestrano"));

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), box);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(uiFont(QStringLiteral("Arial"), 16, true));
    lblTitolo->setStyleSheet(QStringLiteral("color: #DC143C; background: transparent;"));
    lblTitolo->move(8, 104);
    lblTitolo->resize(625, lblTitolo->sizeHint().height());

    txtGuida = new QPlainTextEdit(box);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setGeometry(8, 128, 625, 350);
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtGuida->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtGuida->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    txtGuida->setAccessibleName(QStringLiteral("Testo della guida"));

    imgPDF = new Picture(box, QStringLiteral("imgPDF"), QRect(8, 496, 27, 27),
                         QStringLiteral(":/app/icon_pdf.svg"),
                         QStringLiteral("Visualizza guida in formato PDF"));
    imgPDF->setClickable(true);
    lnkWeb = new LinkLabel(box, QStringLiteral("lnkWeb"), QPoint(44, 500),
                           QStringLiteral("Visualizza guida in formato PDF"));
    lnkWeb->followPresses(imgPDF);

    btnChiudi = makeCommandButton(box, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  QRect(472, 490, 161, 38));
    btnChiudi->setDefault(true);

    connect(lnkWeb, &QAbstractButton::clicked, this, &TfrmGuida::lnkWebClick);
    connect(imgPDF, &QAbstractButton::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);

    setTabOrder(txtGuida, lnkWeb);
    setTabOrder(lnkWeb, btnChiudi);
}

void TfrmGuida::setTopic(const QString& title, const QString& text)
{
    lblTitolo->setText(title);
    txtGuida->setPlainText(text);
}

void TfrmGuida::lnkWebClick()
{
    lnkWeb->setColour(LinkLabel::normalColour());
    TMisc::Open(QLatin1Char('"') + programFolder() + QStringLiteral("Guida.pdf")
                + QLatin1Char('"'));
}

void TfrmGuida::btnChiudiClick()
{
    close();
}

void TfrmGuida::showEvent(QShowEvent* event)
{
    // The window keeps its design size whatever its owner looks like.
    setFixedSize(kClientSize);
    QDialog::showEvent(event);
    txtGuida->setFocus();
}

void showHelp(QWidget* owner, const QString& title, const QString& text)
{
    QPointer<TfrmGuida> help = new TfrmGuida(owner);
    help->setTopic(title, text);
    help->exec();
    delete help.data();
}
