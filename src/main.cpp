#include "app/language.h"
#include "app/platformchoice.h"
#include "app/screens.h"
#include "core/base/fonts.h"
#include "core/storage/folderlock.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before anything else, while nothing has asked for a font yet.
    loadFontConfiguration();
    // Draw with the software renderer: no hardware acceleration is needed or wanted.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    avoidWaylandWithoutSeat();
    ItalianRegionalSettings italian;
    QApplication app(argc, argv);
    italian.release();
    // Held until the run ends: one running copy per program folder.
    ProgramFolderLock lock;
    if (!startProgram(lock))
        return 1;
    return app.exec();
}
