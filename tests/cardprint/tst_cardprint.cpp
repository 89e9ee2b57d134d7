// The registry card printed, previewed and written to Cliente.pdf from the card screen: the
// template, the texts taken from the controls, the closing line, and the PDF file read back.

#include "common/testsupport.h"
#include "registry/cardscreen_support.h"
#include "reports/reports_support.h"

#include "core/base/clock.h"
#include "core/reports/cardreport.h"
#include "help/openurl.h"
#include "ui/reportoutput.h"

#include <QCheckBox>
#include <QDir>
#include <QtTest/QtTest>

namespace {

using F = AnagraficaField;

const QDateTime kPrintMoment(QDate(2024, 3, 5), QTime(9, 5, 3));
const QString kClosingLine = QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:05:03");
const QString kExportedQuestion =
    QStringLiteral("L'esportazione della scheda in PDF \u00e8 terminata con successo.\r\n\r\n"
                   "Si vuole aprire il file?");

const char* const kLabels[24] = {
    "Cognome e nome:",
    "Data di nascita:",
    "Comune di nascita:",
    "Codice Destinatario:",
    "Telefono preferenziale:",
    "Indirizzo di residenza:",
    "Comune di residenza:",
    "Denominazione ditta:",
    "Tel. casa:",
    "Tel. ufficio:",
    "Tel. cellulare:",
    "Indirizzo PEC:",
    "E-mail:",
    "Codice fiscale:",
    "Partita IVA:",
    "Carta di credito:",
    "IBAN:",
    "Tipo documento:",
    "Numero documento:",
    "Ente di rilascio:",
    "Data di rilascio:",
    "Mansioni:",
    "Questioni in sospeso:",
    "Note:",
};

struct Typed {
    F field;
    const char* text;
};

// Cards as typed on screen, never saved, and the 24 values the printed card shows for them.
struct CardCase {
    const char* name;
    QList<Typed> typed;
    bool ricontatta;
    QStringList values;
};

const QList<CardCase>& cardCases()
{
    static const QList<CardCase> cases{
        {"empty card",
         {},
         false,
         {" ",
          "",
          " ",
          "",
          "",
          "",
          " ",
          "",
          "",
          "",
          "",
          "",
          "",
          "",
          "",
          "N.   -  Scadenza: ",
          "",
          "",
          "",
          "",
          "  -  Scadenza: ",
          "",
          "",
          ""}},
        {"full card, blanks around the texts",
         {{F::Cognome, "  Rossi "},
          {F::Nome, " Mario  "},
          {F::Ditta, "Rossi Trasporti S.r.l."},
          {F::Sesso, "M"},
          {F::Recapito, "333 1234567"},
          {F::IndirizzoRes, "Via Roma 1"},
          {F::ProvRes, "MI"},
          {F::ComuneRes, " Milano"},
          {F::CapRes, "20100"},
          {F::DataNasc, "01/01/1980"},
          {F::ComuneNasc, "Roma "},
          {F::ProvNasc, "RM"},
          {F::TelCasa, "06 1234567"},
          {F::TelUff, "02 7654321"},
          {F::TelCel, "347 0000000"},
          {F::Pec, "rossi@pec.it"},
          {F::Email, "mario.rossi@example.it"},
          {F::CodFisc, "RSSMRA80A01H501U"},
          {F::Carta, "4111111111111111"},
          {F::ScadeCarta, "12/27"},
          {F::PartitaIva, "01234567897"},
          {F::Iban, "IT60X0542811101000000123456"},
          {F::TipoPat, "Patente"},
          {F::NumPat, "U1A234567B"},
          {F::EnteRil, "Motorizzazione"},
          {F::DataRil, "02/02/2020"},
          {F::DataSca, "02/02/2030"},
          {F::Conducente, "Autista"},
          {F::Questioni, "Rinnovo contratto"},
          {F::Note, "Preferisce essere chiamato la sera"},
          {F::CodiceDest, "ABC1234"}},
         true,
         {"Rossi Mario",
          "01/01/1980",
          "Roma RM",
          "ABC1234",
          "333 1234567",
          "Via Roma 1",
          "Milano MI",
          "Rossi Trasporti S.r.l.",
          "06 1234567",
          "02 7654321",
          "347 0000000",
          "rossi@pec.it",
          "mario.rossi@example.it",
          "RSSMRA80A01H501U",
          "01234567897",
          "N. 4111111111111111  -  Scadenza: 12/27",
          "IT60X0542811101000000123456",
          "Patente",
          "U1A234567B",
          "Motorizzazione",
          "02/02/2020  -  Scadenza: 02/02/2030",
          "Autista",
          "Rinnovo contratto",
          "Preferisce essere chiamato la sera"}},
        {"no province codes, only one half of the joined rows",
         {{F::Cognome, "Bianchi"},
          {F::ComuneNasc, "Torino"},
          {F::ComuneRes, "Asti"},
          {F::ScadeCarta, "01/26"},
          {F::DataRil, "03/03/2021"}},
         false,
         {"Bianchi ",
          "",
          "Torino ",
          "",
          "",
          "",
          "Asti ",
          "",
          "",
          "",
          "",
          "",
          "",
          "",
          "",
          "N.   -  Scadenza: 01/26",
          "",
          "",
          "",
          "",
          "03/03/2021  -  Scadenza: ",
          "",
          "",
          ""}},
    };
    return cases;
}

// Object names and texts, one "name [text]" line each, sorted by name.
QString describe(const QMap<QString, QString>& texts)
{
    QString out;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        out += it.key() + QStringLiteral(" [") + it.value() + QStringLiteral("]\n");
    return out;
}

// Every text of a prepared page; the logo and the two rules have none.
QString pageTexts(const PreparedPage& page)
{
    QMap<QString, QString> texts;
    for (const ReportObject& item : page.items)
        texts.insert(item.name, item.lines.join(QLatin1Char('|')));
    return describe(texts);
}

QString expectedTexts(const QStringList& values)
{
    QMap<QString, QString> texts{{QStringLiteral("imgLogo"), QString()},
                                 {QStringLiteral("linSepara01"), QString()},
                                 {QStringLiteral("linSepara02"), QString()},
                                 {QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA ANAGRAFICA")},
                                 {QStringLiteral("txtCalce"), kClosingLine}};
    for (int row = 1; row <= kCardReportRows; ++row) {
        texts.insert(cardLabelName(row), QString::fromUtf8(kLabels[row - 1]));
        texts.insert(cardValueName(row), values.at(row - 1));
    }
    return describe(texts);
}

QRectF wordBox(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words) {
        if (w.text == text)
            return w.mm;
    }
    return QRectF();
}

enum Failure { ReadOnlyFolder, FolderInPlace, WriteStopsHalfway };

bool near(double a, double b, double tolerance)
{
    return qAbs(a - b) <= tolerance;
}

} // namespace

class TestCardPrint : public QObject {
    Q_OBJECT

private slots:
    void init() { setClockForTests(kPrintMoment); }
    void cleanup() { setClockForTests(QDateTime()); }

    void cardTemplate();
    void printedCard_data();
    void printedCard();
    void preview();
    void pdfExportsReplaceTheFile();
    void pdfExportFailureKeepsOldFile_data();
    void pdfExportFailureKeepsOldFile();
};

// The template as it comes out on paper: every object with its place, look and text.
void TestCardPrint::cardTemplate()
{
    auto card = makeCardReport();
    QCOMPARE(card->name(), QStringLiteral("Scheda informativa"));
    const QPageLayout layout = card->pageLayout();
    QCOMPARE(layout.pageSize().id(), QPageSize::A4);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(layout.margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));

    struct Box {
        QString name;
        ReportObjectKind kind;
        QRectF mm;
        QColor fill;
        double fontHeight;
        QColor colour;
        HAlign align;
        QString text;
    };
    const QColor orange(0xFF, 0x8C, 0x00);
    const QColor teal(0x00, 0x80, 0x80);
    QList<Box> expected{
        {"imgLogo", ReportObjectKind::Picture, {3, 3, 17, 13}, {}, 0, {}, HAlign::Left, {}},
        {"txtTitolo",
         ReportObjectKind::Text,
         {23, 3, 165, 9},
         orange,
         21.333,
         Qt::white,
         HAlign::Centre,
         "Titolo Scheda"},
        {"linSepara01", ReportObjectKind::Line, {23, 16, 165, 0}, {}, 0, {}, HAlign::Left, {}},
        {"linSepara02", ReportObjectKind::Line, {3, 265, 185, 0}, {}, 0, {}, HAlign::Left, {}},
        {"txtCalce",
         ReportObjectKind::Text,
         {3, 269, 185, 6},
         orange,
         13.333,
         Qt::white,
         HAlign::Centre,
         "Termine scheda"},
    };
    for (int k = 1; k <= 24; ++k) {
        const double top = 24 + 10 * (k - 1);
        const QString text = QStringLiteral("Campo %1").arg(k);
        expected.append({cardLabelName(k),
                         ReportObjectKind::Text,
                         {3, top, 52, 6},
                         teal,
                         12.0,
                         Qt::white,
                         HAlign::Left,
                         text});
        expected.append({cardValueName(k),
                         ReportObjectKind::Text,
                         {60, top, 128, 6},
                         QColor(),
                         13.333,
                         Qt::black,
                         HAlign::Left,
                         text});
    }
    QCOMPARE(cardValueName(24), QStringLiteral("txtCampo24"));

    card->prepare();
    QCOMPARE(int(card->preparedPages().size()), 1);
    const PreparedPage& page = card->preparedPages().front();
    QCOMPARE(int(page.items.size()), int(expected.size()));
    for (const Box& box : expected) {
        const ReportObject* o = page.find(box.name);
        QVERIFY2(o, qPrintable(box.name));
        QCOMPARE(o->kind, box.kind);
        QCOMPARE(roundedMm(o->rect), box.mm);
        if (box.kind == ReportObjectKind::Picture)
            QVERIFY(QFile::exists(o->image));
        if (box.kind != ReportObjectKind::Text)
            continue;
        QCOMPARE(o->fill, box.fill);
        QCOMPARE(o->font.family, QStringLiteral("Arial"));
        QCOMPARE(o->font.height, box.fontHeight);
        QVERIFY(!o->font.bold);
        QCOMPARE(o->font.colour, box.colour);
        QCOMPARE(o->hAlign, box.align);
        QCOMPARE(o->vAlign, VAlign::Centre);
        QVERIFY(!o->wordWrap && !o->expressions);
        QCOMPARE(o->lines, QStringList{box.text});
    }
}

void TestCardPrint::printedCard_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < cardCases().size(); ++i)
        QTest::newRow(cardCases().at(i).name) << i;
}

// What the screen shows, typed and not saved, is what the printer receives, object by object.
void TestCardPrint::printedCard()
{
    QFETCH(int, index);
    const CardCase& c = cardCases().at(index);
    CardScreen s;
    for (const Typed& t : c.typed)
        s.set(t.field, QString::fromUtf8(t.text));
    s.ricontatta()->setChecked(c.ricontatta);
    QVERIFY(s.position().isEmpty());

    PrintDialogRecorder printer;
    s.screen->cmdStampaClick();
    QCOMPARE(printer.jobs().size(), 1);
    const PrintedJob& job = printer.jobs().front();
    QCOMPARE(job.title, QStringLiteral("Scheda informativa"));
    QCOMPARE(int(job.pages.size()), 1);
    QCOMPARE(pageTexts(job.pages.front()), expectedTexts(c.values));
    QCOMPARE(s.messages.count(), 0);
    QVERIFY(!QFile::exists(s.folder.file(QStringLiteral("Anagrafica.pro"))));

    // A second print takes the controls again, and the clock at that moment.
    s.set(F::Cognome, QStringLiteral("Neri"));
    setClockForTests(kPrintMoment.addSecs(3600));
    s.screen->cmdStampaClick();
    const PreparedPage& again = printer.jobs().at(1).pages.front();
    QVERIFY(again.find(cardValueName(1))->lines.front().startsWith(QLatin1String("Neri ")));
    QCOMPARE(again.find(QStringLiteral("txtCalce"))->lines.front(),
             QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 10:05:03"));
}

void TestCardPrint::preview()
{
    CardScreen s;
    s.set(F::Cognome, QStringLiteral("Verdi"));
    PrintDialogRecorder printer;
    PreviewRecorder preview;
    QString caption;
    preview.onShow([&](QWidget* window) { caption = window->windowTitle(); });
    s.screen->cmdAnteprimaClick();
    QCOMPARE(preview.count(), 1);
    QCOMPARE(caption, QStringLiteral("Scheda informativa"));
    QCOMPARE(int(preview.lastPages().size()), 1);
    QCOMPARE(preview.lastPages().front().find(cardValueName(1))->lines,
             QStringList{QStringLiteral("Verdi ")});
    QVERIFY(printer.requests().isEmpty());
}

// Two exports in a row leave one Cliente.pdf holding the second card; No leaves it unopened,
// Yes opens it. The file carries the card's document information and its words sit in their
// boxes.
void TestCardPrint::pdfExportsReplaceTheFile()
{
    CardScreen s;
    ShellOpenRecorder opened;
    const QString pdf = s.folder.file(QStringLiteral("Cliente.pdf"));

    s.set(F::Cognome, QStringLiteral("Rossi"));
    s.set(F::Nome, QStringLiteral("Mario"));
    s.messages.setNextAnswer(MessageAnswer::No);
    s.screen->cmdPDFClick();
    QCOMPARE(s.messages.count(), 1);
    QCOMPARE(s.messages.last().kind, MessageKind::Confirmation);
    QCOMPARE(s.messages.last().text, kExportedQuestion);
    QCOMPARE(opened.count(), 0);
    QVERIFY(readAll(pdf).startsWith("%PDF-"));

    const QString note = QStringLiteral(
        "Nota lunghissima che prosegue ben oltre il bordo destro della casella del valore e "
        "non viene mai mandata a capo FINERIGA");
    s.screen->cmdNuovoClick();
    s.set(F::Cognome, QStringLiteral("Bianchi"));
    s.set(F::Nome, QStringLiteral("Luca"));
    s.set(F::Note, note);
    s.messages.setNextAnswer(MessageAnswer::Yes);
    s.screen->cmdPDFClick();
    QCOMPARE(s.messages.count(), 2);
    QCOMPARE(s.messages.last().text, kExportedQuestion);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.last().command, QLatin1Char('"') + pdf + QLatin1Char('"'));
    QCOMPARE(opened.last().url, QUrl::fromLocalFile(pdf));

    QCOMPARE(QDir(s.folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Cliente.pdf")});
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("Scheda informativa"));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Subject")), QStringLiteral("Scheda informativa"));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Author")), pdfPublisher());
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Creator")), pdfPublisher());
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    const QString pageSize = pdfInfoField(pdf, QStringLiteral("Page size"));
    QVERIFY2(pageSize.startsWith(QLatin1String("595")) && pageSize.contains(QLatin1String("(A4)")),
             qPrintable(pageSize));

    // Positions on the page, in mm from its corner: margins 10 mm, rows 10 mm apart.
    const QList<PdfWord> words = pdfWords(pdf);
    QVERIFY(!wordBox(words, QStringLiteral("Rossi")).isValid());
    const QRectF surname = wordBox(words, QStringLiteral("Bianchi"));
    QVERIFY(near(surname.left(), 10 + 60, 0.5));
    QVERIFY(near(surname.center().y(), 10 + 24 + 3, 1.0));
    QVERIFY(near(wordBox(words, QStringLiteral("Note:")).left(), 10 + 3, 0.5));
    QVERIFY(near(wordBox(words, QStringLiteral("Note:")).center().y(), 10 + 254 + 3, 1.0));
    QVERIFY(near(wordBox(words, QStringLiteral("ANAGRAFICA")).center().y(), 10 + 3 + 4.5, 1.0));
    QVERIFY(near(wordBox(words, QStringLiteral("09:05:03")).center().y(), 10 + 269 + 3, 1.0));
    // The long note is cut at the right edge of its box.
    QVERIFY(wordBox(words, QStringLiteral("Nota")).isValid());
    QVERIFY(!wordBox(words, QStringLiteral("FINERIGA")).isValid());
    for (const PdfWord& w : words)
        QVERIFY2(w.mm.right() <= 10 + 188 + 0.5, qPrintable(w.text));
}

void TestCardPrint::pdfExportFailureKeepsOldFile_data()
{
    QTest::addColumn<int>("failure");
    QTest::newRow("read-only program folder") << int(ReadOnlyFolder);
    QTest::newRow("a folder named Cliente.pdf") << int(FolderInPlace);
    QTest::newRow("a write that stops halfway") << int(WriteStopsHalfway);
}

// A file that cannot be written: the export says why, nothing is asked or opened, what was
// there before stays whole and nothing else is left behind.
void TestCardPrint::pdfExportFailureKeepsOldFile()
{
    QFETCH(int, failure);
    CardScreen s;
    ShellOpenRecorder opened;
    const QString pdf = s.folder.file(QStringLiteral("Cliente.pdf"));

    if (failure == FolderInPlace) {
        QVERIFY(QDir().mkdir(pdf));
        QVERIFY(writeAll(pdf + QStringLiteral("/dentro.txt"), "resta"));
        s.screen->cmdPDFClick();
        QVERIFY(QFileInfo(pdf).isDir());
        QCOMPARE(readAll(pdf + QStringLiteral("/dentro.txt")), QByteArray("resta"));
    } else {
        s.set(F::Cognome, QStringLiteral("Gialli"));
        s.screen->cmdPDFClick(); // a first, good export
        const QByteArray before = readAll(pdf);
        QVERIFY(before.startsWith("%PDF-"));
        s.messages.clear();
        opened.clear();
        s.set(F::Cognome, QStringLiteral("Viola"));
        if (failure == ReadOnlyFolder) {
            openToAll(s.folder.path());
            setMode(s.folder.path(), 0555);
            {
                AsOrdinaryUser user;
                s.screen->cmdPDFClick();
            }
            setMode(s.folder.path(), 0777);
        } else {
            FileSizeLimit limit(before.size() / 2);
            s.screen->cmdPDFClick();
        }
        QCOMPARE(readAll(pdf), before);
    }
    QCOMPARE(s.messages.count(), 1);
    QCOMPARE(s.messages.last().kind, MessageKind::Error);
    QVERIFY(s.messages.last().text.contains(pdf));
    QCOMPARE(opened.count(), 0);
    QCOMPARE(
        QDir(s.folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{QStringLiteral("Cliente.pdf")});
}

QTEST_MAIN(TestCardPrint)
#include "tst_cardprint.moc"
