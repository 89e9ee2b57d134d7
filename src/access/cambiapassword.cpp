#include "access/cambiapassword.h"

#include "access/password.h"
#include "core/access/passwordstore.h"
#include "core/base/fonts.h"
#include "core/storage/text.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"
#include "ui/screenflow.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

const QColor kSteelBlue(0x46, 0x82, 0xB4);

const QString kChangeError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

// The three masked fields, in tab order, each with its caption above it.
struct FieldRow {
    const char* name;
    const char* labelName;
    const char* caption;
    const char* accessibleName;
    int labelY;
    int fieldY;
};

const FieldRow kFields[] = {
    {"txtPasswordOld", "lblRigo05", "Vecchia password:", "Vecchia password", 172, 193},
    {"txtPasswordNew", "lblRigo06", "Nuova password:", "Nuova password", 228, 249},
    {"txtConferma", "lblRigo07", "Conferma nuova password:", "Conferma nuova password", 284, 305},
};

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setupFixedWindow(this, QStringLiteral(" Cambia password"), QSize(411, 418));
    setWindowGradient(this, kSteelBlue);
    panContainer = makeCentredContainer(this, QSize(385, 390));

    shpSfondo = new ShapeRect(panContainer, QStringLiteral("shpSfondo"), QRect(8, 8, 369, 334));
    shpSfondo->gradient(kSteelBlue, Qt::white).outline(Qt::white);
    imgLogo = new Picture(panContainer, QStringLiteral("imgLogo"), QRect(16, 16, 353, 148),
                          QStringLiteral(":/app/logo_block.svg"), QStringLiteral("Vestrano"));

    QWidget* previous = nullptr;
    QList<QLabel*> labels;
    QList<QLineEdit*> fields;
    for (const FieldRow& row : kFields) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), panContainer);
        label->setObjectName(QString::fromLatin1(row.labelName));
        label->setFont(uiFont(QStringLiteral("Verdana"), 12));
        label->move(16, row.labelY);
        label->adjustSize();
        labels.append(label);

        auto* field = new QLineEdit(panContainer);
        field->setObjectName(QString::fromLatin1(row.name));
        field->setGeometry(16, row.fieldY, 353, 22);
        field->setEchoMode(QLineEdit::Password);
        field->setFont(uiFont(QStringLiteral("Verdana"), 14, true));
        field->setAccessibleName(QString::fromUtf8(row.accessibleName));
        label->setBuddy(field);
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
        if (previous)
            setTabOrder(previous, field);
        previous = field;
        fields.append(field);
    }
    lblRigo05 = labels.at(0);
    lblRigo06 = labels.at(1);
    lblRigo07 = labels.at(2);
    txtPasswordOld = fields.at(0);
    txtPasswordNew = fields.at(1);
    txtConferma = fields.at(2);
    effPasswordOld = attachFocusHighlight(txtPasswordOld);
    effPasswordNew = attachFocusHighlight(txtPasswordNew);
    effConferma = attachFocusHighlight(txtConferma);
    // Enter moves round the three fields and never presses "OK".
    for (qsizetype i = 0; i < fields.size(); ++i)
        setEnterTarget(fields.at(i), fields.at((i + 1) % fields.size()));

    cmdEsci = makeCommandButton(panContainer, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"),
                                QRect(8, 350, 146, 32), true);
    cmdOK = makeCommandButton(panContainer, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                              QRect(232, 350, 146, 32), true);
    cmdOK->setEnabled(false);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (auto* login = qobject_cast<TfrmPassword*>(screens().frmPassword))
        login->comeBackFrom(this);
}

void TfrmCambiaPassword::txtChange()
{
    cmdOK->setEnabled(!trimText(txtPasswordOld->text()).isEmpty()
                      && !trimText(txtPasswordNew->text()).isEmpty()
                      && !trimText(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::refuseNewPassword(const QString& message)
{
    showMessage(this, MessageKind::Plain, message);
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordNew->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::cmdOKClick()
{
    const PasswordStore store;
    const std::optional<QString> stored = store.readPassword();
    if (!stored) {
        showMessage(this, MessageKind::Plain, kChangeError);
        return;
    }
    if (!passwordMatches(*stored, txtPasswordOld->text())) {
        showMessage(this, MessageKind::Plain,
                    QStringLiteral("Attenzione: vecchia password errata."));
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (trimText(txtPasswordNew->text()) != trimText(txtConferma->text())) {
        refuseNewPassword(QStringLiteral(
            "Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
            "reinserire entrambi i valori."));
        return;
    }
    switch (store.storePassword(txtPasswordNew->text())) {
    case StoreResult::Stored:
        break;
    case StoreResult::TooLong:
        refuseNewPassword(QStringLiteral(
            "Attenzione: la nuova password non può superare i 255 caratteri. E' necessario "
            "reinserire entrambi i valori."));
        return;
    case StoreResult::NotStorable:
        refuseNewPassword(QStringLiteral(
            "Attenzione: la nuova password contiene caratteri che non possono essere "
            "memorizzati. E' necessario reinserire entrambi i valori."));
        return;
    case StoreResult::WriteFailed:
        showMessage(this, MessageKind::Plain, kChangeError);
        return;
    }
    showMessage(this, MessageKind::Plain,
                QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}
