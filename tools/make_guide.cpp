// Writes the user guide Guida.pdf from the help texts of the program.
#include "core/base/fonts.h"
#include "core/help/userguide.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    registerFonts();
    const WriteResult written = writeUserGuide(QString::fromLocal8Bit(argv[1]));
    if (!written)
        std::fprintf(stderr, "%s\n", qPrintable(written.error()));
    return written ? 0 : 1;
}
