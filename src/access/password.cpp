#include "access/password.h"

#include "core/access/passwordstore.h"
#include "core/base/fonts.h"
#include "core/storage/text.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"
#include "ui/screenflow.h"
#include "ui/sessiongate.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

const QColor kSteelBlue(0x46, 0x82, 0xB4);

} // namespace

TfrmPassword::TfrmPassword(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setupFixedWindow(this, QStringLiteral(" Vestrano - Autenticazione"), QSize(388, 405));
    setWindowGradient(this, kSteelBlue);
    panContainer = makeCentredContainer(this, QSize(360, 378));

    shpSfondo = new ShapeRect(panContainer, QStringLiteral("shpSfondo"), QRect(8, 8, 344, 265));
    shpSfondo->gradient(kSteelBlue, Qt::white).outline(Qt::white);
    imgLogo = new Picture(panContainer, QStringLiteral("imgLogo"), QRect(16, 16, 328, 160),
                          QStringLiteral(":/app/logo_block.svg"), QStringLiteral("Vestrano"));
    shpTitolo = new ShapeRect(panContainer, QStringLiteral("shpTitolo"), QRect(16, 184, 328, 81));
    shpTitolo->gradient(QColor(0x7D, 0xA9, 0xCD), Qt::white).outline(Qt::white);

    lblRigo05 = new QLabel(QStringLiteral("Immetti la password e premi OK."), panContainer);
    lblRigo05->setObjectName(QStringLiteral("lblRigo05"));
    lblRigo05->setFont(uiFont(QStringLiteral("Verdana"), 12));
    lblRigo05->move(36, 200);
    lblRigo05->adjustSize();

    txtPassword = new QLineEdit(panContainer);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setGeometry(36, 222, 230, 22);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(uiFont(QStringLiteral("Verdana"), 14, true));
    txtPassword->setAccessibleName(QStringLiteral("Password"));
    lblRigo05->setBuddy(txtPassword);
    effPassword = attachFocusHighlight(txtPassword);

    cmdOK = makeCommandButton(panContainer, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                              QRect(280, 216, 49, 33), true);
    cmdOK->setEnabled(false);
    cmdEsci = makeCommandButton(panContainer, QStringLiteral("cmdEsci"), QStringLiteral("Esci"),
                                QRect(8, 338, 146, 32), true);
    btnCambiaPassword =
        makeCommandButton(panContainer, QStringLiteral("btnCambiaPassword"),
                          QStringLiteral("Cambia password"), QRect(205, 338, 146, 32), true);

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordKeyPressEnter);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    // The main window: closing it ends the run.
    QWidget::closeEvent(event);
    terminateApplication();
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!trimText(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordKeyPressEnter()
{
    if (!trimText(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick()
{
    const std::optional<QString> stored = PasswordStore().readPassword();
    if (!stored) {
        showMessage(this, MessageKind::Plain,
                    QStringLiteral("Attenzione: si è verificato un errore durante la procedura "
                                   "di lettura della password. Si consiglia di reinstallare il "
                                   "software."));
        return;
    }
    if (!passwordMatches(*stored, txtPassword->text())) {
        showMessage(this, MessageKind::Plain, QStringLiteral("Attenzione: password errata."));
        txtPassword->clear();
        txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    }
    unlockSession();
    switchScreen(this, screens().frmAvvio);
}

void TfrmPassword::comeBackFrom(QWidget* screen)
{
    txtPassword->clear();
    switchScreen(screen, this);
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick()
{
    close();
    terminateApplication();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    switchScreen(this, screens().frmCambiaPassword);
}
