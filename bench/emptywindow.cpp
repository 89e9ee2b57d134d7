// The floor of start-up: a Qt program showing one empty window, ending when it has painted.

#include "startup.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    QWidget window;
    window.resize(388, 405);
    QuitOnFirstPaint watch;
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
