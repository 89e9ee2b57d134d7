#include "register/calendarsheetdialog.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/register/yearfile.h"
#include "core/reports/calendarsheet.h"
#include "register/planning.h"
#include "ui/decor.h"
#include "ui/reportoutput.h"
#include "ui/window.h"

#include <QLabel>
#include <QPushButton>

// What sets the two dialogs apart, one row each.
struct CalendarSheetDialogLook {
    const char* objectName;
    const char* caption;
    QSize client;
    int backgroundWidth;
    QSize note1Size;
    const char* note1Heading;
    const char* note1Text;
    int separatorHeight;
    bool separatorGradient; // steel blue to white; otherwise a solid #427AA8 bar
    QSize sectionSize;
    const char* sectionPicture;
    const char* sectionName;
    QRect note2;
    const char* note2Text;
    const char* actionText;
};

namespace {

const CalendarSheetDialogLook kStampa = {
    "frmStampaPlanning",
    " Stampa scheda corrente",
    QSize(364, 287),
    326,
    QSize(240, 83),
    "Stampa scheda",
    "Questa operazione provveder\u00e0 a stampare la scheda corrente su carta con i dati "
    "immessi dall'utente.",
    4,
    false,
    QSize(82, 72),
    ":/reports/stampante.svg",
    "Stampante",
    QRect(122, 140, 206, 71),
    "Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla per annullare "
    "l'operazione.",
    "Stampa",
};

const CalendarSheetDialogLook kAnteprima = {
    "frmAnteprimaPlanning",
    " Anteprima di stampa",
    QSize(362, 287),
    327,
    QSize(225, 83),
    "Anteprima di stampa",
    "Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa.",
    6,
    true,
    QSize(66, 69),
    ":/reports/stampante_lente.svg",
    "Stampante con lente",
    QRect(112, 140, 209, 67),
    "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di "
    "eseguire la stampa su carta.",
    "Mostra anteprima",
};

QLabel* note(QWidget* parent, const char* name, const QRect& geometry, const QString& html)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(uiFont(QStringLiteral("Verdana"), 11));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::RichText);
    label->setStyleSheet(QStringLiteral("color: #1E2A38; background: transparent;"));
    label->setText(html);
    return label;
}

} // namespace

CalendarSheetDialog::CalendarSheetDialog(TfrmPlanning* calendar,
                                         const CalendarSheetDialogLook& look)
    : QDialog(calendar), m_calendar(calendar), m_sheet(makeCalendarSheet())
{
    applyProcessFormats();
    setObjectName(QString::fromLatin1(look.objectName));
    setupFixedWindow(this, QString::fromUtf8(look.caption), look.client, CentreOn::Owner);
    setWindowGradient(this, QColor(0x74, 0x94, 0xB3));

    shpSfondo =
        new ShapeRect(this, QStringLiteral("shpSfondo"), QRect(18, 18, look.backgroundWidth, 215));
    shpSfondo->fill(Qt::white).outline(Qt::white);
    icoInf01 = note(this, "icoInf01", QRect(QPoint(28, 28), look.note1Size),
                    QStringLiteral("<p style='margin:0'><b style='color:#C01818; font-size:13px'>"
                                   "%1</b></p><p style='margin-top:4px'>%2</p>")
                        .arg(QString::fromUtf8(look.note1Heading),
                             QString::fromUtf8(look.note1Text).toHtmlEscaped()));
    imgLogo01 = new Picture(this, QStringLiteral("imgLogo01"), QRect(280, 31, 51, 81),
                            QStringLiteral(":/reports/persona_fogli.svg"),
                            QStringLiteral("Persona con dei fogli in mano"));
    shpSepara =
        new ShapeRect(this, QStringLiteral("shpSepara"), QRect(26, 120, 311, look.separatorHeight));
    if (look.separatorGradient)
        shpSepara->gradient(QColor(0x46, 0x82, 0xB4), Qt::white);
    else
        shpSepara->fill(QColor(0x42, 0x7A, 0xA8));
    shpSepara->outline(Qt::white);
    imgSezione04 = new Picture(
        this, QStringLiteral("imgSezione04"), QRect(QPoint(30, 140), look.sectionSize),
        QString::fromLatin1(look.sectionPicture), QString::fromLatin1(look.sectionName));
    icoInf02 =
        note(this, "icoInf02", look.note2, QString::fromUtf8(look.note2Text).toHtmlEscaped());

    btnAnnulla = makeCommandButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                   QRect(18, 243, 137, 28));
    btnStampa = makeCommandButton(this, QStringLiteral("btnStampa"),
                                  QString::fromUtf8(look.actionText), QRect(208, 243, 137, 28));
    for (QPushButton* b : {btnAnnulla, btnStampa})
        b->setAutoDefault(false);
    setTabOrder(btnAnnulla, btnStampa);

    connect(btnAnnulla, &QPushButton::clicked, this, &CalendarSheetDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &CalendarSheetDialog::btnStampaClick);
}

CalendarSheetDialog::~CalendarSheetDialog() = default;

void CalendarSheetDialog::btnAnnullaClick()
{
    reject();
}

void CalendarSheetDialog::btnStampaClick()
{
    CalendarSheetData data;
    data.person = m_calendar->persona();
    data.year = m_calendar->anno();
    data.recapito = m_calendar->recapito();
    data.codFisc = m_calendar->codFisc();
    data.mansioni = m_calendar->mansioni();
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        data.present[size_t(slot)] = m_calendar->year().isPresent(slot);
    fillCalendarSheet(*m_sheet, data);
    m_sheet->prepare();
    output();
    accept();
}

TfrmStampaPlanning::TfrmStampaPlanning(TfrmPlanning* calendar)
    : CalendarSheetDialog(calendar, kStampa)
{
}

void TfrmStampaPlanning::output()
{
    printReport(this, sheet());
}

TfrmAnteprimaPlanning::TfrmAnteprimaPlanning(TfrmPlanning* calendar)
    : CalendarSheetDialog(calendar, kAnteprima)
{
}

void TfrmAnteprimaPlanning::output()
{
    showPreview(this, sheet());
}
