// The program's start-up as main runs it, ending when the login window has painted.

#include "startup.h"

#include "app/language.h"
#include "app/screens.h"
#include "core/storage/folderlock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    ItalianRegionalSettings italian;
    QApplication app(argc, argv);
    italian.release();
    ProgramFolderLock lock;
    if (!startProgram(lock))
        return 1;
    QuitOnFirstPaint watch;
    if (QWidget* login = screens().frmPassword)
        login->installEventFilter(&watch);
    return app.exec();
}
