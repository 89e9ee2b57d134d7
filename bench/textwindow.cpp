// What drawing text costs a Qt program at start: one window holding one line of text in the
// application's font, ending when it has painted. The empty window stays start-up's floor; this
// one shows how much of the way from there any window with text must go (Qt reads the font
// configuration, fills its font database and loads a font the moment a first text is measured).

#include "startup.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    QWidget window;
    window.resize(388, 405);
    auto* line = new QLabel(QStringLiteral("Immetti la password e premi OK."), &window);
    line->move(36, 200);
    QuitOnFirstPaint watch;
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
