#include "core/help/userguide.h"

#include "core/help/helptexts.h"
#include "core/help/maker.h"
#include "core/storage/safefile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

namespace {

QString chapterTitle(const QString& helpTitle)
{
    QString t = helpTitle;
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

QString paragraphsHtml(const QStringList& paragraphs)
{
    QString html;
    for (const QString& p : paragraphs)
        html += QStringLiteral("<p>") + p.toHtmlEscaped() + QStringLiteral("</p>");
    return html;
}

struct Chapter {
    QString title;
    QStringList paragraphs;
};

QList<Chapter> chapters()
{
    const QStringList overview = overviewParagraphs();
    const QString sep = kParagraphBreak;
    return {
        {chapterTitle(kOverviewHelpTitle), {overview.at(0), overview.at(19)}},
        {chapterTitle(kRegistryHelpTitle), registryHelpText().split(sep)},
        {chapterTitle(kExportHelpTitle), exportParagraphs()},
        {chapterTitle(kRegisterHelpTitle), registerHelpText().split(sep)},
        {QStringLiteral("Accesso al programma e sicurezza dei dati"),
         {overview.at(18), overview.at(17)}},
    };
}

QString dataFilesHtml()
{
    const struct {
        const char* name;
        const char* content;
    } rows[] = {
        {"Anagrafica.pro", "l'archivio anagrafico, una scheda dopo l'altra"},
        {"Registro presenze &lt;codice fiscale&gt; anno &lt;anno&gt;.vsr",
         "il calendario delle presenze di una persona in un anno"},
        {"Documenti_Allegati", "la cartella dei file allegati alle schede"},
        {"Anagrafica.xls", "l'ultima esportazione dell'archivio in un foglio di lavoro"},
        {"Cliente.pdf", "l'ultima scheda salvata in formato PDF"},
        {"unins000.dll", "la password di accesso, cifrata"},
    };
    QString html = QStringLiteral(
        "<p>Tutti i dati si trovano nella cartella del programma, accanto a Vestrano "
        "stesso:</p><table cellspacing='0' cellpadding='5' border='1' "
        "style='border-color:#9DB8D8; border-style:solid'>"
        "<tr style='background-color:#DCE7F4'><th align='left'>File o cartella</th>"
        "<th align='left'>Contenuto</th></tr>");
    for (const auto& row : rows)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(QString::fromUtf8(row.name), QString::fromUtf8(row.content));
    return html + QStringLiteral("</table>");
}

QImage logoImage()
{
    QSvgRenderer svg(QStringLiteral(":/app/logo_block.svg"));
    QImage image(QSize(1360, 616), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    if (svg.isValid()) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    return image;
}

QString guideHtml(const QList<Chapter>& list)
{
    QString html =
        QStringLiteral(
            "<html><body style='font-family:\"DejaVu Sans\"; font-size:10.5pt; color:#1A1A1A'>"
            // Title page
            "<p align='center' style='margin-top:140px'><img src='vestrano:logo' width='420'></p>"
            "<h1 align='center' style='font-family:\"Liberation Sans\"; font-size:26pt; "
            "color:#1F4E8C; margin-top:70px'>Guida all'utilizzo del software</h1>"
            "<p align='center' style='font-size:13pt; color:#3A6EA5'>Registro presenze "
            "giornaliere e archivio anagrafico</p>"
            "<p align='center' style='margin-top:300px; color:#555555'>%1<br>%2</p>")
            .arg(kMakerName.toHtmlEscaped(), kMakerWebAddress.toHtmlEscaped());

    // Contents
    html += QStringLiteral("<h2 style='font-family:\"Liberation Sans\"; color:#1F4E8C; "
                           "page-break-before:always'>Indice</h2><ol>");
    for (const Chapter& c : list)
        html += QStringLiteral("<li>") + c.title.toHtmlEscaped() + QStringLiteral("</li>");
    html += QStringLiteral("<li>Dove si trovano i dati</li><li>Assistenza</li></ol>");

    int number = 0;
    auto heading = [&number](const QString& title) {
        return QStringLiteral("<h2 style='font-family:\"Liberation Sans\"; color:#1F4E8C; "
                              "margin-top:28px'>%1. %2</h2>")
            .arg(++number)
            .arg(title.toHtmlEscaped());
    };
    for (const Chapter& c : list)
        html += heading(c.title) + paragraphsHtml(c.paragraphs);
    html += heading(QStringLiteral("Dove si trovano i dati")) + dataFilesHtml();
    html += heading(QStringLiteral("Assistenza"))
            + QStringLiteral("<p>Per domande, segnalazioni e suggerimenti scrivete a %1 oppure "
                             "visitate il sito %2, dove trovate anche gli aggiornamenti del "
                             "programma. Dal menu principale di Vestrano l'icona delle "
                             "informazioni apre una finestra con un collegamento diretto "
                             "all'indirizzo di posta dell'assistenza.</p>")
                  .arg(kMakerSupportAddress.toHtmlEscaped(), kMakerWebAddress.toHtmlEscaped());
    return html + QStringLiteral("</body></html>");
}

} // namespace

WriteResult writeUserGuide(const QString& pdfPath)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Vestrano - Guida all'utilizzo del software"));
        writer.setCreator(QStringLiteral("Vestrano"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);

        QTextDocument doc;
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("vestrano:logo")),
                        logoImage());
        doc.setHtml(guideHtml(chapters()));
        doc.print(&writer);
    }
    // Written aside and put in place only when complete and on the disk.
    return writeWholeFile(pdfPath, pdf);
}
