#include "app/screens.h"

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/avvio.h"
#include "app/language.h"
#include "app/lostwindow.h"
#include "app/sessionend.h"
#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/base/producticon.h"
#include "core/storage/folderlock.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "registry/clienti.h"
#include "ui/messages.h"
#include "ui/sessiongate.h"

#include <QApplication>
#include <QSysInfo>

#include <functional>
#include <vector>

namespace {

struct ScreenKind {
    QPointer<QWidget> Screens::*slot;
    std::function<QWidget*()> create;
    SessionGuard guard;
};

// The long-lived screens in the order of start-up; the first is the main window. Only the
// login and the password change act before the right password.
std::vector<ScreenKind> screenTable()
{
    return {
        {&Screens::frmPassword, [] { return new TfrmPassword; }, SessionGuard::UntilEnd},
        {&Screens::frmAvvio, [] { return new TfrmAvvio(); }, SessionGuard::UntilUnlocked},
        {&Screens::frmCambiaPassword, [] { return new TfrmCambiaPassword; },
         SessionGuard::UntilEnd},
        {&Screens::frmClienti, [] { return new TfrmClienti; }, SessionGuard::UntilUnlocked},
        {&Screens::frmMenuCamere, [] { return new TfrmMenuCamere; },
         SessionGuard::UntilUnlocked},
        {&Screens::frmPlanning, [] { return new TfrmPlanning; }, SessionGuard::UntilUnlocked},
    };
}

} // namespace

void createScreens()
{
    registerFonts();
    applyProcessFormats();
    installQtTranslations();
    // Window titles are exactly the screens' captions: no application display name is set,
    // since the window system would append it to every title. Every window carries the
    // product's icon, and the desktop matches the windows to the menu entry vestrano.desktop.
    QApplication::setWindowIcon(productIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vestrano"));
    // The run ends only through terminateApplication (the start menu's exit, the login's
    // "Esci"), never because the last visible screen was hidden during a hand-over.
    QApplication::setQuitOnLastWindowClosed(false);
    // The screens wait hidden without a native window (the window system makes one as a screen
    // is first shown) and, but for the login's two, take no input before the right password.
    beginSession();
    for (const ScreenKind& kind : screenTable()) {
        QWidget* screen = kind.create();
        screens().*(kind.slot) = screen;
        guardScreen(screen, kind.guard);
    }
    storeWorkWhenTheSessionEnds();
    endTheRunWhenAWindowIsDestroyedOutside();
    if (QWidget* login = screens().frmPassword)
        login->show();
}

QString folderInUseMessage(const QString& machine)
{
    const QString where = machine.isEmpty() || machine == QSysInfo::machineHostName()
                              ? QStringLiteral("su questo computer")
                              : QStringLiteral("sul computer \"%1\"").arg(machine);
    return QStringLiteral("Attenzione: la cartella del programma \u00e8 gi\u00e0 usata da un'altra "
                          "copia di Vestrano aperta %1. Due copie aperte sulla stessa cartella "
                          "salverebbero ciascuna i propri dati sopra quelli dell'altra, quindi "
                          "questa copia si chiude senza modificare nessun file.")
               .arg(where)
           + QStringLiteral("\n\r\n\r")
           + QStringLiteral("Usare la copia gi\u00e0 aperta, oppure chiuderla e avviare di nuovo "
                            "il programma. Se nessuna copia \u00e8 aperta (per esempio dopo uno "
                            "spegnimento improvviso di un altro computer), cancellare il file %1 "
                            "nella cartella del programma.")
                 .arg(ProgramFolderLock::fileName());
}

QString folderLockBlockedMessage(ProgramFolderLock::Obstacle obstacle)
{
    const QString name = ProgramFolderLock::fileName();
    QString what;
    QString remove;
    switch (obstacle) {
    case ProgramFolderLock::Obstacle::Folder:
        what = QStringLiteral("una cartella con lo stesso nome");
        remove = QStringLiteral("la cartella %1").arg(name);
        break;
    case ProgramFolderLock::Obstacle::Link:
        what = QStringLiteral("un collegamento");
        remove = QStringLiteral("il collegamento %1").arg(name);
        break;
    case ProgramFolderLock::Obstacle::Special:
    case ProgramFolderLock::Obstacle::None:
        what = QStringLiteral("un file speciale");
        remove = QStringLiteral("il file %1").arg(name);
        break;
    }
    return QStringLiteral("Attenzione: nella cartella del programma, al posto del file %1 che "
                          "impedisce di aprire due copie di Vestrano sulla stessa cartella, "
                          "c'\u00e8 %2. Due copie aperte sulla stessa cartella salverebbero "
                          "ciascuna i propri dati sopra quelli dell'altra, quindi questa copia si "
                          "chiude senza modificare nessun file.")
               .arg(name, what)
           + QStringLiteral("\n\r\n\r")
           + QStringLiteral("Chiudere ogni copia di Vestrano aperta, cancellare %1 nella "
                            "cartella del programma e avviare di nuovo il programma.")
                 .arg(remove);
}

bool startProgram(ProgramFolderLock& lock)
{
    switch (lock.acquire()) {
    case ProgramFolderLock::Outcome::InUse:
        showMessage(nullptr, MessageKind::Warning, folderInUseMessage(lock.holderMachine()));
        return false;
    case ProgramFolderLock::Outcome::Blocked:
        showMessage(nullptr, MessageKind::Warning, folderLockBlockedMessage(lock.obstacle()));
        return false;
    case ProgramFolderLock::Outcome::Taken:
    case ProgramFolderLock::Outcome::Unavailable:
        break;
    }
    createScreens();
    return true;
}

void destroyScreens()
{
    Screens& s = screens();
    for (QPointer<QWidget>* slot : {&s.frmPlanning, &s.frmMenuCamere, &s.frmClienti,
                                    &s.frmCambiaPassword, &s.frmAvvio, &s.frmPassword}) {
        delete slot->data();
        *slot = nullptr;
    }
}
