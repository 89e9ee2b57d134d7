#include "app/avvio.h"

#include "app/screens.h"
#include "core/base/formats.h"
#include "core/help/helptexts.h"
#include "core/help/maker.h"
#include "help/guida.h"
#include "help/info.h"
#include "help/openurl.h"
#include "help/splash.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QPointer>

namespace {

// Creates a dialog owned by owner, shows it modally and destroys it once it is closed.
template <typename Dialog> void runDialog(QWidget* owner)
{
    QPointer<Dialog> dialog = new Dialog(owner);
    dialog->exec();
    delete dialog.data();
}

} // namespace

TfrmAvvio::TfrmAvvio()
{
    setObjectName(QStringLiteral("frmAvvio"));
    setupMaximisedWindow(this, QStringLiteral(" Vestrano"));
    setWindowGradient(this, QColor(0x67, 0x92, 0xB7), GradientFrom::Top);
    panContainer = makeCentredContainer(this, QSize(995, 692));
    shpSfondo = new ShapeRect(panContainer, QStringLiteral("shpSfondo"), QRect(4, 4, 986, 684));
    shpSfondo->fill(Qt::white);

    // One row per picture of the menu, in the order of the design (and of the Tab key). The
    // table lives here, where the screen's own controls may be named.
    struct PictureRow {
        Picture* TfrmAvvio::*member;
        const char* name;
        QRect geometry;
        const char* svg;
        const char* accessibleName;
        void (TfrmAvvio::*click)();
    };

    static const PictureRow kPictures[] = {
        {&TfrmAvvio::icoNome, "icoNome", {90, 15, 818, 69}, "title_name.svg", "Vestrano", nullptr},
        {&TfrmAvvio::imgSottotitolo,
         "imgSottotitolo",
         {17, 86, 961, 22},
         "subtitle.svg",
         "Registro delle presenze giornaliere del personale e dei soci, archivio anagrafico",
         nullptr},
        {&TfrmAvvio::imgInfo,
         "imgInfo",
         {14, 14, 30, 30},
         "icon_info.svg",
         "Informazioni su Vestrano",
         &TfrmAvvio::imgInfoClick},
        {&TfrmAvvio::imgGuida,
         "imgGuida",
         {952, 16, 29, 28},
         "icon_help.svg",
         "Guida all'utilizzo del software",
         &TfrmAvvio::imgGuidaClick},
        {&TfrmAvvio::imgAnagrafica,
         "imgAnagrafica",
         {68, 148, 368, 368},
         "registry.svg",
         "Archivio anagrafico",
         &TfrmAvvio::imgAnagraficaClick},
        {&TfrmAvvio::btnAnagrafica,
         "btnAnagrafica",
         {30, 524, 442, 79},
         "button_registry.svg",
         "Archivio anagrafico",
         &TfrmAvvio::imgAnagraficaClick},
        {&TfrmAvvio::imgPresenze,
         "imgPresenze",
         {560, 148, 368, 368},
         "attendance.svg",
         "Registrazione presenze",
         &TfrmAvvio::imgPresenzeClick},
        {&TfrmAvvio::btnPresenze,
         "btnPresenze",
         {522, 524, 442, 79},
         "button_attendance.svg",
         "Registrazione presenze",
         &TfrmAvvio::imgPresenzeClick},
        {&TfrmAvvio::imgSito,
         "imgSito",
         {17, 628, 961, 22},
         "web_strip.svg",
         "Apri il sito web del produttore",
         &TfrmAvvio::imgSitoClick},
        {&TfrmAvvio::imgAvviso,
         "imgAvviso",
         {16, 660, 23, 22},
         "icon_notice.svg",
         "Note sul produttore",
         &TfrmAvvio::imgAvvisoClick},
        {&TfrmAvvio::imgEsci,
         "imgEsci",
         {960, 662, 17, 18},
         "icon_exit.svg",
         "Esci da Vestrano",
         &TfrmAvvio::imgEsciClick},
    };

    for (const PictureRow& row : kPictures) {
        const QString name = QString::fromLatin1(row.name);
        auto* picture = new Picture(panContainer, name, row.geometry,
                                    QStringLiteral(":/app/") + QString::fromLatin1(row.svg),
                                    QString::fromUtf8(row.accessibleName));
        this->*(row.member) = picture;
        if (row.click) {
            picture->setClickable(true);
            picture->setToolTip(picture->accessibleName());
            connect(picture, &QAbstractButton::clicked, this, row.click);
        }
    }

    // One tab stop per command: the two large pictures are the mouse's way to the halves of the
    // program, the buttons under them the keyboard's and the screen reader's.
    for (Picture* picture : {imgAnagrafica, imgPresenze})
        picture->setMouseOnly();

    // The keyboard starts on the first of the two halves of the program.
    btnAnagrafica->setFocus();

    // Creation handler: the date and number formats of the whole run.
    applyProcessFormats();
}

void TfrmAvvio::imgAnagraficaClick()
{
    if (QWidget* registry = screens().frmClienti)
        switchScreen(this, registry);
}

void TfrmAvvio::imgPresenzeClick()
{
    if (QWidget* selection = screens().frmMenuCamere)
        switchScreen(this, selection);
}

void TfrmAvvio::imgInfoClick()
{
    runDialog<TfrmInfo>(this);
}

void TfrmAvvio::imgGuidaClick()
{
    showHelp(this, kOverviewHelpTitle, overviewHelpText());
}

void TfrmAvvio::imgAvvisoClick()
{
    runDialog<TfrmSplash>(this);
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(kMakerWebAddress);
}

void TfrmAvvio::imgEsciClick()
{
    terminateApplication();
}

void TfrmAvvio::closeEvent(QCloseEvent* event)
{
    event->accept();
    terminateApplication();
}
