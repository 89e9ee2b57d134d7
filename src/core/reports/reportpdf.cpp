#include "core/reports/reportpdf.h"

#include "core/reports/reportdocument.h"
#include "core/reports/reportrender.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QRegularExpression>

namespace {

// A text string as UTF-16BE with its byte order mark, written in hexadecimal.
QByteArray pdfText(const QString& text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16.append(char(c.unicode() >> 8));
        utf16.append(char(c.unicode() & 0xFF));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

// The value of /Key in a dictionary's text, as written (a string, a name or a reference).
QByteArray entry(const QByteArray& dictionary, const char* key, const char* valuePattern)
{
    const QRegularExpression re(
        QStringLiteral("/%1\\s*(%2)").arg(QLatin1String(key), QLatin1String(valuePattern)));
    const auto match = re.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

} // namespace

bool setPdfDocumentInfo(QByteArray& pdf, const PdfDocumentInfo& info)
{
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    const qsizetype startxrefAt = pdf.lastIndexOf("startxref");
    if (trailerAt < 0 || startxrefAt < trailerAt)
        return false;
    const QByteArray trailer = pdf.mid(trailerAt, startxrefAt - trailerAt);
    bool ok = false;
    const qlonglong previousXref =
        pdf.mid(startxrefAt + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    const QByteArray size = entry(trailer, "Size", "\\d+");
    const QByteArray root = entry(trailer, "Root", "\\d+\\s+\\d+\\s+R");
    const QByteArray infoRef = entry(trailer, "Info", "\\d+\\s+\\d+\\s+R");
    if (!ok || size.isEmpty() || root.isEmpty())
        return false;

    // The old dictionary's producer and creation date are worth keeping.
    QByteArray keep;
    int infoNumber = size.toInt();
    int newSize = infoNumber + 1;
    if (!infoRef.isEmpty()) {
        infoNumber = infoRef.split(' ').value(0).toInt();
        newSize = size.toInt();
        const QByteArray head = QByteArray::number(infoNumber) + " 0 obj";
        const qsizetype at = pdf.indexOf(head);
        const qsizetype end = at < 0 ? -1 : pdf.indexOf("endobj", at);
        if (end > at) {
            const QByteArray old = pdf.mid(at, end - at);
            for (const char* key : {"Producer", "CreationDate"}) {
                const QByteArray value = entry(old, key, "\\([^)]*\\)|<[0-9A-Fa-f]*>");
                if (!value.isEmpty())
                    keep += '/' + QByteArray(key) + ' ' + value + '\n';
            }
        }
    }

    QByteArray update;
    if (!pdf.endsWith('\n'))
        update += '\n';
    const qsizetype objectAt = pdf.size() + update.size();
    update += QByteArray::number(infoNumber) + " 0 obj\n<<\n";
    update += "/Title " + pdfText(info.title) + '\n';
    update += "/Subject " + pdfText(info.subject) + '\n';
    update += "/Author " + pdfText(info.author) + '\n';
    update += "/Creator " + pdfText(info.creator) + '\n';
    update += keep;
    update += ">>\nendobj\n";
    const qsizetype xrefAt = pdf.size() + update.size();
    update += "xref\n0 1\n0000000000 65535 f \n";
    update += QByteArray::number(infoNumber) + " 1\n";
    update += QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(newSize) + "\n/Info "
              + QByteArray::number(infoNumber) + " 0 R\n/Root " + root + "\n/Prev "
              + QByteArray::number(previousXref) + "\n>>\n";
    update += "startxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    pdf += update;
    return true;
}

bool writeReportPdf(QByteArray& pdf, const ReportDocument& document, const PdfDocumentInfo& info)
{
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setResolution(1200);
        writer.setPageLayout(document.pageLayout());
        if (!renderPages(writer, document.pageLayout(), document.preparedPages()))
            return false;
    }
    buffer.close();
    return setPdfDocumentInfo(pdf, info);
}

QString pdfPublisher()
{
    return QStringLiteral("Vestrano - Registro presenze e archivio anagrafico");
}
