#include "reports_support.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

double ptToMm(double pt)
{
    return pt * 25.4 / 72.0;
}

} // namespace

QList<PdfWord> pdfWords(const QString& pdfPath)
{
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = -1;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        PdfWord w;
        w.page = page;
        w.mm = QRectF(QPointF(ptToMm(m.captured(1).toDouble()), ptToMm(m.captured(2).toDouble())),
                      QPointF(ptToMm(m.captured(3).toDouble()), ptToMm(m.captured(4).toDouble())));
        w.text = m.captured(5)
                     .replace(QLatin1String("&amp;"), QLatin1String("&"))
                     .replace(QLatin1String("&lt;"), QLatin1String("<"))
                     .replace(QLatin1String("&gt;"), QLatin1String(">"))
                     .replace(QLatin1String("&quot;"), QLatin1String("\""));
        words << w;
    }
    return words;
}

QString pdfInfoField(const QString& pdfPath, const QString& field)
{
    const QStringList lines = run(QStringLiteral("pdfinfo"), {pdfPath}).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return QString();
}

QString describePages(const std::vector<PreparedPage>& pages)
{
    QString out;
    for (size_t p = 0; p < pages.size(); ++p) {
        out += QStringLiteral("page %1\n").arg(p + 1);
        for (const ReportObject& item : pages[p].items) {
            const QRectF r = roundedMm(item.rect);
            out += QStringLiteral("%1 %2,%3 %4x%5 [%6]\n")
                       .arg(item.name)
                       .arg(r.left())
                       .arg(r.top())
                       .arg(r.width())
                       .arg(r.height())
                       .arg(item.lines.join(QLatin1Char('|')));
        }
    }
    return out;
}
