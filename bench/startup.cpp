// The program's start-up as main runs it, ending when the login window has painted.

#include "startup.h"

#include "app/language.h"
#include "app/screens.h"
#include "core/base/fonts.h"
#include "core/storage/folderlock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    loadFontConfiguration();
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    ItalianRegionalSettings italian;
    QApplication app(argc, argv);
    italian.release();
    // Watching the application, not the login's slot: asking for the slots would build the
    // screens that start-up leaves for after the login's first paint.
    QuitOnFirstPaint watch;
    app.installEventFilter(&watch);
    ProgramFolderLock lock;
    if (!startProgram(lock))
        return 1;
    return app.exec();
}
