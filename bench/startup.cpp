// The program's start-up as main runs it, ending when the login window has painted.

#include "startup.h"

#include "app/screens.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    createScreens();
    QuitOnFirstPaint watch;
    if (QWidget* login = screens().frmPassword)
        login->installEventFilter(&watch);
    return app.exec();
}
