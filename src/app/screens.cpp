#include "app/screens.h"

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/avvio.h"
#include "app/language.h"
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

#include <QApplication>
#include <QSysInfo>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

struct ScreenKind {
    QPointer<QWidget> Screens::*slot;
    std::function<QWidget*()> create;
};

// The long-lived screens in the order of start-up; the first is the main window.
std::vector<ScreenKind> screenTable()
{
    return {
        {&Screens::frmPassword, [] { return new TfrmPassword; }},
        {&Screens::frmAvvio, [] { return new TfrmAvvio(); }},
        {&Screens::frmCambiaPassword, [] { return new TfrmCambiaPassword; }},
        {&Screens::frmClienti, [] { return new TfrmClienti; }},
        {&Screens::frmMenuCamere, [] { return new TfrmMenuCamere; }},
        {&Screens::frmPlanning, [] { return new TfrmPlanning; }},
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
void buildScreens(bool loginFirst)
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
    const std::vector<ScreenKind> table = screenTable();
    screens().*(table.front().slot) = table.front().create();
    auto buildRest = [table, loginFirst] {
        if (loginFirst)
            QApplication::setWindowIcon(productIcon());
        for (size_t i = 1; i < table.size(); ++i)
            screens().*(table[i].slot) = table[i].create();
        storeWorkWhenTheSessionEnds();
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

bool startProgram(ProgramFolderLock& lock)
{
    if (lock.acquire() == ProgramFolderLock::Outcome::InUse) {
        showMessage(nullptr, MessageKind::Warning, folderInUseMessage(lock.holderMachine()));
        return false;
    }
    buildScreens(true);
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
