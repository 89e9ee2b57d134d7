#include "help/info.h"

#include "core/base/fonts.h"
#include "core/help/maker.h"
#include "help/linklabel.h"
#include "help/openurl.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QLabel>
#include <QPushButton>

namespace {

QString informationText()
{
    return QStringLiteral(
               "<p style='font-size:16px'><b>Vestrano</b></p>"
               "<p>Registro delle presenze giornaliere del personale e dei soci, "
               "con archivio anagrafico integrato.</p>"
               "<p>Versione 1.0</p>"
               "<p>Le schede anagrafiche, i calendari annuali delle presenze e gli allegati "
               "sono conservati nella cartella del programma: per una copia di sicurezza "
               "completa è sufficiente copiare l'intera cartella.</p>"
               "<p>Per assistenza, chiarimenti o suggerimenti scrivete all'indirizzo "
               "qui sotto: vi risponderemo al più presto.</p>"
               "<p>&copy; %1<br>Tutti i diritti riservati.</p>")
        .arg(kMakerName.toHtmlEscaped());
}

} // namespace

TfrmInfo::TfrmInfo(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmInfo"));
    setupFixedWindow(this, QStringLiteral(" Informazioni su Vestrano"), QSize(473, 579));
    setWindowGradient(this, Qt::black, GradientFrom::Top);

    panPannello = new QWidget(this);
    panPannello->setObjectName(QStringLiteral("panPannello"));
    panPannello->setGeometry(15, 15, 442, 490);
    auto* panel = new ShapeRect(panPannello, QStringLiteral("shpPannello"), panPannello->rect());
    panel->fill(QColor(255, 255, 255, 215)).outline(QColor(0xB0, 0xB0, 0xB0)).rounded(6);

    shpSfondo = new ShapeRect(panPannello, QStringLiteral("shpSfondo"), QRect(8, 8, 425, 72));
    shpSfondo->fill(Qt::white).outline(QColor(0xF5, 0xDE, 0xB3));
    imgLogo = new Picture(panPannello, QStringLiteral("imgLogo"), QRect(24, 16, 392, 54),
                          QStringLiteral(":/app/logo_wide.svg"), QStringLiteral("Vestrano"));

    lblInformazioni = new QLabel(informationText(), panPannello);
    lblInformazioni->setObjectName(QStringLiteral("lblInformazioni"));
    lblInformazioni->setGeometry(20, 92, 402, 380);
    lblInformazioni->setFont(uiFont(QStringLiteral("Verdana"), 12));
    lblInformazioni->setWordWrap(true);
    lblInformazioni->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblInformazioni->setStyleSheet(QStringLiteral("color: #202020; background: transparent;"));

    // The close button sits at the foot of the panel, on the window itself, so that the
    // panel's edge never hides it.
    btnChiudi = makeCommandButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  QRect(15 + 280, 15 + 504, 161, 41));
    btnChiudi->setDefault(true);

    imgEmail =
        new Picture(this, QStringLiteral("imgEmail"), QRect(15, 531, 23, 16),
                    QStringLiteral(":/app/icon_mail.svg"), QStringLiteral("Scrivi all'assistenza"));
    imgEmail->setClickable(true);
    lnkWeb = new LinkLabel(this, QStringLiteral("lnkWeb"), QPoint(46, 528), kMakerSupportAddress);
    lnkWeb->followPresses(imgEmail);

    connect(lnkWeb, &QAbstractButton::clicked, this, &TfrmInfo::lnkWebClick);
    connect(imgEmail, &QAbstractButton::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
    setTabOrder(btnChiudi, lnkWeb);
    btnChiudi->setFocus();
}

QString TfrmInfo::supportMailLink()
{
    return QStringLiteral("mailto:") + kMakerSupportAddress + QStringLiteral("?subject=")
           + QStringLiteral("Software Vestrano") + QStringLiteral("&body=")
           + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in "
                            "oggetto:");
}

void TfrmInfo::lnkWebClick()
{
    lnkWeb->setColour(LinkLabel::normalColour());
    TMisc::Open(QLatin1Char('"') + supportMailLink() + QLatin1Char('"'));
}

void TfrmInfo::btnChiudiClick()
{
    close();
}
