// The spreadsheet export: the grid filled from Anagrafica.pro, the file compared byte for byte
// with hand-written expected files, the two questions, a failed write that keeps the previous
// file, what is typed in the grid, and the file read back by a spreadsheet program.

#include "common/modaltest.h"
#include "registry/cardscreen_support.h"

#include "core/help/helptexts.h"
#include "core/registry/exportfile.h"
#include "core/storage/windows1252.h"
#include "help/guida.h"
#include "help/openurl.h"
#include "registry/expclienti.h"
#include "registry/exportgrid.h"
#include "ui/decor.h"
#include "ui/infoline.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

using F = AnagraficaField;

namespace {

const QString kQuestion =
    QString::fromUtf8("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda "
                      "del numero di schede presenti in archivio.\r\n\r\n"
                      "Si vuole esportare i dati adesso?");
const QString kDone = QStringLiteral("Le schede in archivio sono state esportate con successo."
                                     "\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFailed =
    QString::fromUtf8("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                      "Accertarsi che il file di Excel non sia già aperto.");

// How a data cell opens: left-aligned and of the class the page declares as text.
const QByteArray kCell = QByteArrayLiteral("<td style=\"text-align: left;\" class=\"testo\">");

QByteArray expectedFile(const char* name)
{
    const QString path = QFINDTESTDATA(name);
    return readAll(path);
}

// The three cards of expected_three.xls. Fields the export leaves out are filled too, so a
// column taken from the wrong field shows.
QList<AnagraficaRecord> threeCardRegistry()
{
    AnagraficaRecord a;
    const QList<QPair<F, const char*>> first = {
        {F::Cognome, "Rossi"},
        {F::Nome, "Mario"},
        {F::Ditta, "Rossi & Figli S.r.l."},
        {F::Sesso, "M"},
        {F::Recapito, "333 1234567"},
        {F::IndirizzoRes, "Via Roma, 1"},
        {F::ProvRes, "MI"},
        {F::ComuneRes, "Milano"},
        {F::CapRes, "20100"},
        {F::DataNasc, "01/01/1980"},
        {F::ComuneNasc, "Pavia"},
        {F::ProvNasc, "PV"},
        {F::TelCasa, "02 123456"},
        {F::TelUff, "02 654321"},
        {F::TelCel, "333 7654321"},
        {F::Pec, "rossi@pec.it"},
        {F::Email, "mario.rossi@example.it"},
        {F::CodFisc, "RSSMRA80A01H501U"},
        {F::Carta, "4111 1111 1111 1111"},
        {F::ScadeCarta, "12/2027"},
        {F::PartitaIva, "12345678901"},
        {F::Iban, "IT60X0542811101000000123456"},
        {F::TipoPat, "Carta d'identità"},
        {F::NumPat, "AB1234567"},
        {F::EnteRil, "Comune di Milano"},
        {F::DataRil, "01/02/2020"},
        {F::DataSca, "01/02/2030"},
        {F::Conducente, "Magazziniere"},
        {F::Questioni, "Richiamare per il contratto"},
        {F::Note, "a<b & c > d"},
        {F::CodiceDest, "ABC1234"},
        {F::Ricontatta, "Sì"},
        {F::File01, "contratto.pdf"},
        {F::Desc01, "Contratto firmato"},
    };
    for (const auto& [field, value] : first)
        a.set(field, QString::fromUtf8(value));

    AnagraficaRecord b; // no name: the first cell is the surname alone
    b.set(F::Cognome, QStringLiteral("Bianchi"));
    b.set(F::Ditta, QString::fromUtf8("Caffè Più"));
    b.set(F::Sesso, QStringLiteral("F"));
    b.set(F::Recapito, QStringLiteral("011 998877"));
    b.set(F::ProvRes, QStringLiteral("TO"));
    b.set(F::CodFisc, QStringLiteral("BNCLRA85B41L219K"));
    b.set(F::Conducente, QString::fromUtf8("Contabilità"));
    b.set(F::Note, QString::fromUtf8("Saldo 100 €"));

    AnagraficaRecord c;
    c.set(F::Cognome, QStringLiteral("Verdi"));
    c.set(F::Nome, QStringLiteral("Giuseppe"));
    c.set(F::Recapito, QStringLiteral("06 5550101"));
    c.set(F::IndirizzoRes, QStringLiteral("Piazza Navona 2"));
    c.set(F::ComuneRes, QStringLiteral("Roma"));
    c.set(F::ProvRes, QStringLiteral("RM"));
    c.set(F::CapRes, QStringLiteral("00186"));
    c.set(F::CodFisc, QStringLiteral("VRDGPP70C01H501Z"));
    c.set(F::Conducente, QStringLiteral("Autista"));
    c.set(F::Questioni, QStringLiteral("<b>urgente</b>"));
    c.set(F::CodiceDest, QStringLiteral("0000000"));
    return {a, b, c};
}

// An export dialog over a fresh program folder, shown (which fills the grid), with every
// message and every shell open recorded.
struct ExportScreen {
    TempProgramFolder folder;
    MessageRecorder messages;
    ShellOpenRecorder shell;
    std::unique_ptr<TfrmExpClienti> dialog;

    explicit ExportScreen(const QByteArray* registry = nullptr)
    {
        registerFonts();
        if (registry)
            writeAll(folder.file(QStringLiteral("Anagrafica.pro")), *registry);
    }
    void show()
    {
        dialog = std::make_unique<TfrmExpClienti>();
        dialog->show();
    }
    QString xls() const { return folder.file(QStringLiteral("Anagrafica.xls")); }
    QString registry() const { return folder.file(QStringLiteral("Anagrafica.pro")); }
};

void moveOver(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void gridColumns();
    void emptyRegistry_data();
    void emptyRegistry();
    void threeCards();
    void cellsAsTheCardsHoldThem();
    void cellText_data();
    void cellText();
    void typedTextExportedNotStored();
    void questions_data();
    void questions();
    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void hintsAndHelp();
    void cardScreenOpensAFreshExport();
    void spreadsheetProgramReadsTheCells();
};

void TestExport::gridColumns()
{
    struct Col {
        const char* header;
        int width;
        bool editable;
    };
    const Col expected[kExportColumnCount] = {
        {"N.", 60, false},
        {"Cognome e nome", 250, false},
        {"Denominazione ditta", 250, false},
        {"Sesso", 100, false},
        {"Telefono preferenziale", 200, false},
        {"Indirizzo di residenza", 250, false},
        {"Comune di residenza", 250, true},
        {"CAP", 100, false},
        {"Tel. casa", 200, false},
        {"Tel. ufficio", 200, false},
        {"Tel. cellulare", 200, false},
        {"Indirizzo PEC", 250, false},
        {"E-mail", 250, false},
        {"Codice fiscale", 150, false},
        {"Partita IVA", 150, true},
        {"Carta di credito n.", 250, false},
        {"IBAN", 250, true},
        {"Tipo documento", 200, true},
        {"Numero documento", 200, true},
        {"Ente rilascio", 250, false},
        {"Data rilascio", 180, true},
        {"Data scadenza", 180, false},
        {"Mansioni", 300, false},
        {"Questioni in sospeso", 300, true},
        {"Note", 350, true},
        {"Codice Destinatario", 160, true},
    };
    ExportScreen s;
    s.show();
    auto* grid = named<QTableView>(s.dialog.get(), "grdRecords");
    QCOMPARE(grid->model()->columnCount(), kExportColumnCount);
    for (int c = 0; c < kExportColumnCount; ++c) {
        const QModelIndex cell = grid->model()->index(0, c);
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(),
                 QString::fromUtf8(expected[c].header));
        QCOMPARE(grid->columnWidth(c), expected[c].width);
        QCOMPARE(bool(grid->model()->flags(cell) & Qt::ItemIsEditable), expected[c].editable);
        // A read-only cell refuses a text even when asked directly.
        QCOMPARE(grid->model()->setData(cell, QStringLiteral("x")), expected[c].editable);
    }
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 21);
    QVERIFY(grid->alternatingRowColors());
}

void TestExport::emptyRegistry_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing file") << false << QByteArray();
    QTest::newRow("empty file") << true << QByteArray();
    QTest::newRow("only a partial record") << true << QByteArray(100, 'x');
}

void TestExport::emptyRegistry()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    ExportScreen s(fileExists ? &content : nullptr);
    s.show();
    QCOMPARE(s.dialog->model()->rowCount(), kExportEmptyRows);
    QVERIFY(QFile::exists(s.registry())); // opened by open-or-create
    QCOMPARE(readAll(s.registry()), content);

    s.dialog->cmdEsportaClick();
    QCOMPARE(readAll(s.xls()), expectedFile("expected_empty.xls"));
}

void TestExport::threeCards()
{
    const QByteArray registry = cardsFile(threeCardRegistry());
    ExportScreen s(&registry);
    s.show();
    ExportGridModel* model = s.dialog->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->cell(0, 0), QStringLiteral("1"));
    QCOMPARE(model->cell(2, 0), QStringLiteral("3"));
    QCOMPARE(model->cell(0, 1), QStringLiteral("Rossi Mario"));
    QCOMPARE(model->cell(0, 6), QStringLiteral("Milano MI"));
    QCOMPARE(model->cell(1, 24), QString::fromUtf8("Saldo 100 €"));

    s.dialog->cmdEsportaClick();
    const QByteArray written = readAll(s.xls());
    QCOMPARE(written, expectedFile("expected_three.xls"));
    QVERIFY(!written.contains('\n') && !written.contains('\r'));
    QCOMPARE(readAll(s.registry()), registry);
}

// Stored cards of every shape (empty, full, length bytes past the room of their field, blanks
// and control bytes around and inside the values, bytes behind the length) fill the grid with
// what the card screen reads from them: each cell the trimmed value of its field.
void TestExport::cellsAsTheCardsHoldThem()
{
    const char alphabet[] = {' ', '\t', '\x01', '\x1F', 'a',    'Z',   '7',
                             '&', '<',  '\x80', '\xA0', '\xE8', '\xFF'};
    QRandomGenerator random(20240611);
    QList<AnagraficaRecord> cards{AnagraficaRecord()};
    for (int n = 0; n < 240; ++n) {
        QByteArray bytes(AnagraficaRecord::kSize, '\0');
        for (const AnagraficaFieldInfo& f : AnagraficaRecord::fields()) {
            const int shape = random.bounded(4);
            bytes[f.offset] = char(shape == 0   ? 0
                                   : shape == 1 ? f.capacity
                                   : shape == 2 ? random.bounded(f.capacity + 1)
                                                : random.bounded(f.capacity + 1, 256));
            for (int i = 1; i <= f.capacity; ++i)
                bytes[f.offset + i] = alphabet[random.bounded(int(sizeof alphabet))];
        }
        cards.append(AnagraficaRecord(bytes));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Anagrafica.pro"));
    writeAll(path, cardsFile(cards));

    ExportGridModel model;
    QVERIFY(model.fillFromRegistry(path));
    QCOMPARE(model.rowCount(), cards.size());
    const F plain[kExportColumnCount] = {
        F::Cognome,   F::Cognome,    F::Ditta,      F::Sesso,   F::Recapito,   F::IndirizzoRes,
        F::ComuneRes, F::CapRes,     F::TelCasa,    F::TelUff,  F::TelCel,     F::Pec,
        F::Email,     F::CodFisc,    F::PartitaIva, F::Carta,   F::Iban,       F::TipoPat,
        F::NumPat,    F::EnteRil,    F::DataRil,    F::DataSca, F::Conducente, F::Questioni,
        F::Note,      F::CodiceDest,
    };
    for (int r = 0; r < cards.size(); ++r) {
        const AnagraficaRecord& card = cards[r];
        for (int c = 0; c < kExportColumnCount; ++c) {
            QString expected = card.get(plain[c]);
            if (c == 0)
                expected = QString::number(r + 1);
            else if (c == 1)
                expected = card.get(F::Cognome) + QLatin1Char(' ') + card.get(F::Nome);
            else if (c == 6)
                expected = card.get(F::ComuneRes) + QLatin1Char(' ') + card.get(F::ProvRes);
            QVERIFY2(model.cell(r, c) == expected,
                     qPrintable(QStringLiteral("card %1, column %2").arg(r).arg(c)));
        }
    }
}

void TestExport::cellText_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("markup shown as typed")
        << QStringLiteral("a<b & c") << QByteArray("a&lt;b &amp; c");
    QTest::newRow("an entity stays text") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("trimmed") << QStringLiteral(" \t Rossi  ") << QByteArray("Rossi");
    QTest::newRow("line breaks keep one line")
        << QStringLiteral("riga 1\r\nriga 2") << QByteArray("riga 1&#13;&#10;riga 2");
    QTest::newRow("Windows-1252 letters as bytes")
        << QString::fromUtf8("€ è à") << QByteArray("\x80 \xE8 \xE0");
    QTest::newRow("other characters as references")
        << QString::fromUtf8("Δ 漢 😀") << QByteArray("&#916; &#28450; &#128512;");
}

void TestExport::cellText()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, written);
    const ExportGrid grid{1, [&](int, int c) { return c == 24 ? cell : QString(); }, {}, {}};
    const QByteArray doc = exportDocument(grid);
    QVERIFY2(doc.contains(kCell + written + "</td>" + kCell + "</td></tr>"),
             doc.right(200).constData());
}

void TestExport::typedTextExportedNotStored()
{
    const QByteArray registry = cardsFile(threeCardRegistry());
    ExportScreen s(&registry);
    s.show();
    auto* grid = named<QTableView>(s.dialog.get(), "grdRecords");
    QApplication::setActiveWindow(s.dialog.get());

    // A read-only cell opens no editor.
    const QModelIndex name = grid->model()->index(0, 1);
    grid->setCurrentIndex(name);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    grid->edit(name);
    QVERIFY(!grid->indexWidget(name));
    // Typing into an editable cell (Note of the second card) opens its editor; the export is
    // pressed while the editor is still open.
    const QModelIndex note = grid->model()->index(1, 24);
    grid->setCurrentIndex(note);
    grid->edit(note);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(note));
    QVERIFY(editor);
    editor->selectAll();
    typeInto(editor, QStringLiteral("Nota <scritta> qui"));

    s.dialog->cmdEsportaClick();
    QCOMPARE(s.dialog->model()->cell(1, 24), QStringLiteral("Nota <scritta> qui"));
    const QByteArray written = readAll(s.xls());
    QVERIFY(written.contains(kCell + "Nota &lt;scritta&gt; qui</td>"));
    QVERIFY(!written.contains("Saldo 100"));
    QCOMPARE(readAll(s.registry()), registry);
}

void TestExport::questions_data()
{
    QTest::addColumn<bool>("exportIt");
    QTest::addColumn<bool>("openIt");
    QTest::newRow("No to exporting") << false << false;
    QTest::newRow("export, No to opening") << true << false;
    QTest::newRow("export and open") << true << true;
}

void TestExport::questions()
{
    QFETCH(bool, exportIt);
    QFETCH(bool, openIt);
    ExportScreen s;
    const QByteArray previous("previous export");
    QVERIFY(writeAll(s.xls(), previous));
    s.show();
    s.messages.setNextAnswer(exportIt ? MessageAnswer::Yes : MessageAnswer::No);
    s.messages.setNextAnswer(openIt ? MessageAnswer::Yes : MessageAnswer::No);
    s.dialog->cmdEsportaClick();

    QCOMPARE(s.messages.messages().at(0).kind, MessageKind::Confirmation);
    QCOMPARE(s.messages.messages().at(0).text, kQuestion);
    if (!exportIt) {
        QCOMPARE(s.messages.count(), 1);
        QCOMPARE(readAll(s.xls()), previous);
    } else {
        QCOMPARE(s.messages.count(), 2);
        QCOMPARE(s.messages.last().kind, MessageKind::Confirmation);
        QCOMPARE(s.messages.last().text, kDone);
        QCOMPARE(readAll(s.xls()), expectedFile("expected_empty.xls"));
    }
    QCOMPARE(s.shell.count(), openIt ? 1 : 0);
    if (openIt) {
        QCOMPARE(s.shell.last().command, QLatin1Char('"') + s.xls() + QLatin1Char('"'));
        QCOMPARE(s.shell.last().url, QUrl::fromLocalFile(s.xls()));
    }
}

void TestExport::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("read-only folder") << QStringLiteral("folder");
    QTest::newRow("a folder in its place") << QStringLiteral("directory");
    QTest::newRow("disk full halfway") << QStringLiteral("full");
}

void TestExport::failedWriteKeepsPreviousFile()
{
    QFETCH(QString, obstacle);
    const QByteArray registry = cardsFile(threeCardRegistry());
    ExportScreen s(&registry);
    const QByteArray previous("previous export");
    if (obstacle == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(s.xls()));
    else
        QVERIFY(writeAll(s.xls(), previous));
    s.show();
    QCOMPARE(s.dialog->model()->rowCount(), 3);
    const QStringList before =
        QDir(s.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

    openToAll(s.folder.path());
    if (obstacle == QLatin1String("folder"))
        setMode(s.folder.path(), 0555);
    if (obstacle == QLatin1String("full")) {
        FileSizeLimit limit(100);
        s.dialog->cmdEsportaClick();
    } else {
        AsOrdinaryUser user;
        s.dialog->cmdEsportaClick();
    }
    setMode(s.folder.path(), 0777);

    QCOMPARE(s.messages.count(), 2);
    QCOMPARE(s.messages.last().kind, MessageKind::Plain);
    QCOMPARE(s.messages.last().text, kFailed);
    QCOMPARE(s.shell.count(), 0);
    if (obstacle != QLatin1String("directory"))
        QCOMPARE(readAll(s.xls()), previous);
    QCOMPARE(QDir(s.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

void TestExport::hintsAndHelp()
{
    ExportScreen s;
    s.show();
    TfrmExpClienti* d = s.dialog.get();
    QCOMPARE(d->windowTitle(), QStringLiteral(" Esporta archivio anagrafico in Microsoft Excel"));
    QCOMPARE(d->info()->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    const QList<QPair<QWidget*, QString>> hints = {
        {named(d, "cmdEsporta"), QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
        {named(d, "cmdGuida"),
         QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
        {named(d, "cmdEsci"), QStringLiteral("Esci da questo ambiente di lavoro.")},
    };
    for (const auto& [control, hint] : hints) {
        moveOver(control);
        QCOMPARE(d->info()->text(), hint);
        moveOver(named<QTableView>(d, "grdRecords")->viewport());
        QCOMPARE(d->info()->text(), QString());
    }
    for (const char* artwork : {"titEsportazione", "imgMano", "cmdEsporta", "cmdGuida", "cmdEsci"})
        QVERIFY2(named<Picture>(d, artwork)->hasArtwork(), artwork);

    QString title;
    QString text;
    bool aboveExport = false;
    whenModal([&](QWidget* w) {
        auto* help = qobject_cast<TfrmGuida*>(w);
        QVERIFY(help);
        aboveExport = help->parentWidget() == d;
        title = named<QLabel>(help, "lblTitolo")->text();
        text = named<QPlainTextEdit>(help, "txtGuida")->toPlainText();
    });
    d->cmdGuidaClick();
    QVERIFY(aboveExport);
    QCOMPARE(title, QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel."));
    QCOMPARE(text, QString(exportHelpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestExport::cardScreenOpensAFreshExport()
{
    CardScreen card;
    QVERIFY(writeAll(card.registry(), cardsFile(threeCardRegistry())));
    for (int opening = 0; opening < 2; ++opening) {
        int rows = -1;
        QString firstCell;
        QPointer<QWidget> seen;
        whenModal(
            [&](QWidget* w) {
                auto* exp = qobject_cast<TfrmExpClienti*>(w);
                QVERIFY(exp);
                seen = exp;
                rows = exp->model()->rowCount();
                firstCell = exp->model()->cell(0, 24);
                // What the first opening typed is gone in the second.
                exp->model()->setData(exp->model()->index(0, 24), QStringLiteral("digitato"));
            },
            QStringLiteral("cmdEsci"));
        card.screen->cmdEsportaClick();
        QCOMPARE(rows, 3);
        QCOMPARE(firstCell, QStringLiteral("a<b & c > d"));
        QVERIFY(seen.isNull());
    }
}

void TestExport::spreadsheetProgramReadsTheCells()
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        QSKIP("libreoffice is not installed");
    const QByteArray registry = cardsFile(threeCardRegistry());
    ExportScreen s(&registry);
    s.show();
    s.dialog->cmdEsportaClick();

    QTemporaryDir out;
    QTemporaryDir profile;
    QProcess convert;
    convert.start(office, {QStringLiteral("-env:UserInstallation=")
                               + QUrl::fromLocalFile(profile.path()).toString(),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                           QStringLiteral("--outdir"), out.path(), s.xls()});
    QVERIFY(convert.waitForFinished(180000));
    const QByteArray csv = readAll(out.path() + QStringLiteral("/Anagrafica.csv"));
    QVERIFY2(!csv.isEmpty(), convert.readAllStandardError().constData());

    QStringList lines = QString::fromUtf8(csv).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(QStringLiteral("Cognome e nome,Denominazione ditta,Sesso,")));
    QVERIFY(lines[0].endsWith(QStringLiteral(",Note,Codice Destinatario")));
    QVERIFY2(lines[1].startsWith(QStringLiteral("Rossi Mario,Rossi & Figli S.r.l.,M,")),
             qPrintable(lines[1]));
    QVERIFY2(lines[1].contains(QStringLiteral(",a<b & c > d,ABC1234")), qPrintable(lines[1]));
    QVERIFY2(lines[2].startsWith(QString::fromUtf8("Bianchi,Caffè Più,F,")), qPrintable(lines[2]));
    QVERIFY2(lines[2].contains(QString::fromUtf8(",Saldo 100 €,")), qPrintable(lines[2]));
    // Text stays text: zeros in front and day-first dates are kept as typed.
    QVERIFY2(lines[1].contains(QStringLiteral(",01/02/2020,01/02/2030,")), qPrintable(lines[1]));
    QVERIFY2(lines[3].contains(QStringLiteral(",Roma RM,00186,")), qPrintable(lines[3]));
    QVERIFY2(lines[3].endsWith(QStringLiteral(",<b>urgente</b>,,0000000")), qPrintable(lines[3]));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
