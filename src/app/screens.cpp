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

void createScreens()
{
    registerFonts();
    setupDesktop();
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
    for (const ScreenKind& kind : screenTable()) {
        QWidget* screen = kind.create();
        screens().*(kind.slot) = screen;
    }
    storeWorkWhenTheSessionEnds();
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

bool startProgram(ProgramFolderLock& lock)
{
    if (lock.acquire() == ProgramFolderLock::Outcome::InUse) {
        showMessage(nullptr, MessageKind::Warning, folderInUseMessage(lock.holderMachine()));
        return false;
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
