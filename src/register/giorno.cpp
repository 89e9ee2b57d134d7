#include "register/giorno.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/register/yearfile.h"
#include "core/storage/text.h"
#include "register/artwork.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* bandLabel(QWidget* parent, const char* name, const QString& designText,
                  const QRect& geometry, int pixelSize, const QColor& colour)
{
    auto* label = new QLabel(designText, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(uiFont(QStringLiteral("Verdana"), pixelSize));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
    return label;
}

} // namespace

TfrmGiorno::TfrmGiorno(QWidget* parent, int slot, const QString& year, const QString& person,
                       const QString& text)
    : QDialog(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("frmGiorno"));
    setupFixedWindow(this, QStringLiteral(" Registrazione presenza giornaliera"), QSize(660, 379));
    setWindowGradient(this, QColor(Qt::black));

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panGiorno"));
    panel->setGeometry(12, 12, 634, 309);
    (new ShapeRect(panel, QStringLiteral("shpSfondo"), QRect(0, 0, 634, 309)))
        ->fill(Qt::white)
        .outline(QColor(0x80, 0x80, 0x80))
        .rounded(4);
    (new ShapeRect(panel, QStringLiteral("shpGiorno"), QRect(16, 18, 600, 39)))
        ->fill(QColor(0xB7, 0xCF, 0xE4));
    (new ShapeRect(panel, QStringLiteral("shpCamera"), QRect(16, 58, 600, 34)))->fill(Qt::black);
    (new ShapeRect(panel, QStringLiteral("shpPrenotazione"), QRect(16, 228, 600, 43)))
        ->fill(Qt::yellow);

    infGiorno = bandLabel(panel, "infGiorno", QStringLiteral("Data presenza"),
                          QRect(22, 24, 586, 28), 18, QColor(0xA5, 0x2A, 0x2A));
    infCamera = bandLabel(panel, "infCamera", QStringLiteral("Persona"), QRect(22, 64, 586, 20), 14,
                          QColor(Qt::white));

    icoLibera = new Picture(panel, QStringLiteral("icoLibera"), QRect(80, 110, 468, 54),
                            registerArt("banner_assente"), QStringLiteral("Assente"));
    icoOccupata = new Picture(panel, QStringLiteral("icoOccupata"), QRect(80, 110, 468, 54),
                              registerArt("banner_presente"), QStringLiteral("Presente"));
    icoOccupata->hide();
    new Picture(panel, QStringLiteral("icoInformazioni"), QRect(16, 184, 598, 38),
                registerArt("info_giorno"),
                QStringLiteral("Per registrare la presenza descrivere l'attivit\u00e0 svolta; per "
                               "cancellarla eliminare l'intero contenuto del campo."));

    txtPrenotazione = new QLineEdit(panel);
    txtPrenotazione->setObjectName(QStringLiteral("txtPrenotazione"));
    txtPrenotazione->setGeometry(26, 238, 554, 22);
    txtPrenotazione->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    txtPrenotazione->setMaxLength(250);
    txtPrenotazione->setAccessibleName(QStringLiteral("Attivit\u00e0 svolta"));

    cmdCancella = new Picture(panel, QStringLiteral("cmdCancella"), QRect(584, 238, 22, 22),
                              registerArt("gomma"), QStringLiteral("Cancella il testo"));
    cmdCancella->setClickable(true);
    new Picture(panel, QStringLiteral("icoIstruzioni"), QRect(136, 278, 362, 15),
                registerArt("istruzioni_giorno"),
                QStringLiteral("Premere Applica e chiudi per salvare le modifiche."));

    btnAnnulla = makeCommandButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                   QRect(12, 334, 160, 30));
    btnChiudi = makeCommandButton(this, QStringLiteral("btnChiudi"),
                                  QStringLiteral("Applica e chiudi"), QRect(487, 334, 160, 30));
    for (QPushButton* b : {btnAnnulla, btnChiudi})
        b->setAutoDefault(false);

    setTabOrder(txtPrenotazione, btnChiudi);
    setTabOrder(btnChiudi, btnAnnulla);
    setTabOrder(btnAnnulla, cmdCancella);

    connect(txtPrenotazione, &QLineEdit::textChanged, this, &TfrmGiorno::txtPrenotazioneChange);
    connect(cmdCancella, &Picture::clicked, this, &TfrmGiorno::cmdCancellaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmGiorno::btnAnnullaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGiorno::btnChiudiClick);
    // The only field: Enter applies, as the last field of the other screens presses their
    // action button.
    connect(txtPrenotazione, &QLineEdit::returnPressed, btnChiudi, &QPushButton::click);

    applyProcessFormats();

    infGiorno->setText(dayTitle(slot, trimText(year)));
    infCamera->setText(trimText(person));
    txtPrenotazione->setText(trimText(text));
    txtPrenotazioneChange();
}

QString TfrmGiorno::dayTitle(int slot, const QString& year)
{
    const MonthDay date = slotDate(slot);
    if (date.month == 0)
        return QString();
    return QStringLiteral("Giorno ") + QString::number(date.day) + QLatin1Char(' ')
           + QString::fromLatin1(MonthTable()[size_t(date.month - 1)].textName) + QLatin1Char(' ')
           + year;
}

QString TfrmGiorno::text() const
{
    return trimText(txtPrenotazione->text());
}

void TfrmGiorno::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    txtPrenotazione->setFocus(Qt::OtherFocusReason);
}

void TfrmGiorno::txtPrenotazioneChange()
{
    const bool present = !trimText(txtPrenotazione->text()).isEmpty();
    icoOccupata->setVisible(present);
    icoLibera->setVisible(!present);
    // The field tells a screen reader which day, whose, and the state the banner shows.
    const QString about = infGiorno->text() + QStringLiteral(", ") + infCamera->text()
                          + (present ? QStringLiteral(": presente") : QStringLiteral(": assente"));
    if (txtPrenotazione->accessibleDescription() != about)
        txtPrenotazione->setAccessibleDescription(about);
}

void TfrmGiorno::cmdCancellaClick()
{
    txtPrenotazione->clear();
    txtPrenotazione->setFocus(Qt::OtherFocusReason);
}

void TfrmGiorno::btnAnnullaClick()
{
    reject();
}

void TfrmGiorno::btnChiudiClick()
{
    txtPrenotazioneChange();
    accept();
}
