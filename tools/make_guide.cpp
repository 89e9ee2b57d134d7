// Writes the user guide Guida.pdf from the help texts of the program.
#include "core/base/fonts.h"
#include "core/help/userguide.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    registerFonts();
    return writeUserGuide(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
