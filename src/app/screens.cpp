#include "app/screens.h"

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/avvio.h"
#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/base/producticon.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "registry/clienti.h"

#include <QApplication>

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
    applyProcessFormats();
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
    if (QWidget* login = screens().frmPassword)
        login->show();
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
