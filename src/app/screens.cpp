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
#include "ui/desktop.h"
#include "ui/messages.h"
#include "ui/sessiongate.h"

#include <QApplication>
#include <QSysInfo>
#include <QTimer>

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
        {&Screens::frmMenuCamere, [] { return new TfrmMenuCamere; }, SessionGuard::UntilUnlocked},
        {&Screens::frmPlanning, [] { return new TfrmPlanning; }, SessionGuard::UntilUnlocked},
    };
}

} // namespace

namespace {

// Start-up's watch on the login window: right after its first paint, the screens still to be
// built are built, from the event loop.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Asking for the screens builds the ones still pending.
            QTimer::singleShot(0, [] { screens(); });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }
};

// Builds the long-lived screens. With loginFirst, the login is built and shown at once and the
// other five, in their order, the moment its window has painted: the person sees the login
// about as soon as a Qt window can appear, and the rest is built before anything can be done
// in it (whatever reaches for another screen sooner builds them on the spot).
void buildScreens(bool loginFirst, const std::function<void()>& afterFirstPaint = {})
{
    registerFonts();
    setupDesktop();
    applyProcessFormats();
    installQtTranslations();
    // Window titles are exactly the screens' captions: no application display name is set,
    // since the window system would append it to every title. Every window carries the
    // product's icon (drawn at seven sizes; when the login goes first, it gets it with the
    // other screens, a moment after it has appeared), and the desktop matches the windows to
    // the menu entry vestrano.desktop.
    if (!loginFirst)
        QApplication::setWindowIcon(productIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vestrano"));
    // The run ends only through terminateApplication (the start menu's exit, the login's
    // "Esci"), never because the last visible screen was hidden during a hand-over.
    QApplication::setQuitOnLastWindowClosed(false);
    // The screens wait hidden without a native window (the window system makes one as a screen
    // is first shown) and, but for the login's two, take no input before the right password.
    beginSession();
    // From the login's first moment, the end of the session (SIGTERM, logout) and a window
    // destroyed from outside end the run as "Esci" does, freeing the folder.
    storeWorkWhenTheSessionEnds();
    endTheRunWhenAWindowIsDestroyedOutside();
    const std::vector<ScreenKind> table = screenTable();
    screens().*(table.front().slot) = table.front().create();
    guardScreen(screens().*(table.front().slot), table.front().guard);
    auto buildRest = [table, loginFirst, afterFirstPaint] {
        if (afterFirstPaint)
            afterFirstPaint();
        if (loginFirst)
            QApplication::setWindowIcon(productIcon());
        for (size_t i = 1; i < table.size(); ++i) {
            QWidget* screen = table[i].create();
            screens().*(table[i].slot) = screen;
            guardScreen(screen, table[i].guard);
        }
    };
    QWidget* login = screens().frmPassword;
    if (!loginFirst || !login) {
        buildRest();
        if (login)
            login->show();
        return;
    }
    setPendingScreens(buildRest);
    auto* painted = new FirstPaint(login);
    login->installEventFilter(painted);
    login->show();
}

} // namespace

void createScreens()
{
    buildScreens(false);
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
    // The lock's text goes to the disk once the login is up: the wait for the disk is not the
    // person's.
    buildScreens(true, [&lock] { lock.settle(); });
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
