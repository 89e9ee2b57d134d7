#include "app/screens.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Draw with the software renderer: no hardware acceleration is needed or wanted.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    createScreens();
    return app.exec();
}
