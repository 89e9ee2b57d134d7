#include "help/splash.h"

#include "core/help/maker.h"
#include "help/linklabel.h"
#include "help/openurl.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QPushButton>

TfrmSplash::TfrmSplash(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmSplash"));
    setupFixedWindow(this, QStringLiteral(" Vestrano - Un prodotto di ") + kMakerName,
                     QSize(661, 467), CentreOn::Owner);
    setWindowGradient(this, QColor(0x35, 0x25, 0x25), GradientFrom::Bottom);
    QWidget* box = makeCentredContainer(this, QSize(642, 448));

    imgSplash = new Picture(box, QStringLiteral("imgSplash"), QRect(8, 8, 625, 380),
                            QStringLiteral(":/app/notice.svg"),
                            QStringLiteral("Vestrano, un prodotto di ") + kMakerName);
    // A light bar under the link row keeps the dark blue link readable on the dark foot of
    // the window.
    auto* bar = new ShapeRect(box, QStringLiteral("shpBarra"), QRect(2, 394, 638, 48));
    bar->fill(QColor(255, 255, 255, 225)).outline(QColor(0xB8, 0x9F, 0x86)).rounded(8);
    imgWeb =
        new Picture(box, QStringLiteral("imgWeb"), QRect(8, 400, 39, 36),
                    QStringLiteral(":/app/icon_globe.svg"), QStringLiteral("Apri il sito web"));
    imgWeb->setClickable(true);
    lnkWeb = new LinkLabel(box, QStringLiteral("lnkWeb"), QPoint(54, 409), kMakerWebAddress);
    lnkWeb->followPresses(imgWeb);

    btnChiudi = makeCommandButton(box, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  QRect(473, 402, 160, 34));
    btnChiudi->setDefault(true);

    connect(lnkWeb, &QAbstractButton::clicked, this, &TfrmSplash::lnkWebClick);
    connect(imgWeb, &QAbstractButton::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
    setTabOrder(btnChiudi, lnkWeb);
    btnChiudi->setFocus();
}

void TfrmSplash::lnkWebClick()
{
    lnkWeb->setColour(LinkLabel::normalColour());
    TMisc::Open(kMakerWebAddress);
}

void TfrmSplash::btnChiudiClick()
{
    close();
}
