#include "app/language.h"
#include "app/screens.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Draw with the software renderer: no hardware acceleration is needed or wanted.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    ItalianRegionalSettings italian;
    QApplication app(argc, argv);
    italian.release();
    createScreens();
    return app.exec();
}
