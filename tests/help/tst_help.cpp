#include "common/modaltest.h"
#include "common/testsupport.h"
#include "core/help/helptexts.h"
#include "core/help/maker.h"
#include "core/help/userguide.h"
#include "core/storage/programfolder.h"
#include "help/guida.h"
#include "help/info.h"
#include "help/linklabel.h"
#include "help/openurl.h"
#include "help/splash.h"
#include "ui/decor.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QUrlQuery>
#include <QtTest/QtTest>

#include <memory>

namespace {

// What a plain-text editor shows for a help text: each CR LF is one line break.
QString shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QWidget* child(QWidget* parent, const char* name)
{
    return parent->findChild<QWidget*>(QString::fromLatin1(name));
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void urlForCommand_data();
    void urlForCommand();
    void mailLinkKeepsBlanks();
    void openIsRecordedNotOpened();

    void overviewText();
    void topicTexts();

    void helpWindowLayout();
    void overviewScrollsAndIsReadOnly();
    void helpOpenedTwiceShowsEachTopic();
    void helpStacksAboveItsOwner();
    void guideLinkOpensGuideInFolderWithBlanks();
    void linkPressedLook();

    void infoMailLink();
    void infoCloseButtonReachable();
    void splashWebLink();

    void userGuideIsWrittenFromHelpTexts();
};

void TestHelp::urlForCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("quoted path with blanks") << "\"/tmp/Programma Vestrano/Guida.pdf\""
                                             << "file:///tmp/Programma%20Vestrano/Guida.pdf";
    QTest::newRow("bare path") << "/tmp/dati/Anagrafica.xls"
                               << "file:///tmp/dati/Anagrafica.xls";
    QTest::newRow("path with hash and percent") << "\"/tmp/a #1/50% sconto.pdf\""
                                                << "file:///tmp/a%20%231/50%25%20sconto.pdf";
    QTest::newRow("web address") << "https://www.ponteverde.example"
                                 << "https://www.ponteverde.example";
    QTest::newRow("quoted web address") << "\"http://example.org/a b\""
                                        << "http://example.org/a%20b";
    QTest::newRow("mailto already encoded stays single") << "\"mailto:x@y.example?subject=A%20B\""
                                                         << "mailto:x@y.example?subject=A%20B";
    QTest::newRow("empty") << "\"\""
                           << "";
}

void TestHelp::urlForCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, encoded);
    QCOMPARE(QString::fromUtf8(TMisc::urlFor(command).toEncoded()), encoded);
}

void TestHelp::mailLinkKeepsBlanks()
{
    const QUrl url =
        TMisc::urlFor(QLatin1Char('"') + TfrmInfo::supportMailLink() + QLatin1Char('"'));
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(), kMakerSupportAddress);
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("Software Vestrano"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
             QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in "
                            "oggetto:"));
    // Blanks travel as %20: a '+' would reach many mail programs literally.
    const QByteArray wire = url.toEncoded();
    QVERIFY2(wire.contains("subject=Software%20Vestrano"), wire.constData());
    QVERIFY(!wire.contains('+') && !wire.contains(' ') && !wire.contains("%25"));
}

void TestHelp::openIsRecordedNotOpened()
{
    ShellOpenRecorder outer;
    {
        ShellOpenRecorder inner;
        TMisc::Open(QStringLiteral("https://www.ponteverde.example"));
        QCOMPARE(inner.count(), 1);
        QCOMPARE(inner.last().url, QUrl(QStringLiteral("https://www.ponteverde.example")));
    }
    QCOMPARE(outer.count(), 0);
    TMisc::Open(QStringLiteral("\"/tmp/x y.pdf\""));
    QCOMPARE(outer.count(), 1);
    QCOMPARE(outer.last().command, QStringLiteral("\"/tmp/x y.pdf\""));
    QCOMPARE(outer.last().url.toLocalFile(), QStringLiteral("/tmp/x y.pdf"));
}

void TestHelp::overviewText()
{
    const QStringList paragraphs = overviewParagraphs();
    QCOMPARE(paragraphs.size(), 20);
    QCOMPARE(overviewHelpText(), paragraphs.join(QStringLiteral("\r\n\r\n")));
    for (const QString& p : paragraphs) {
        QVERIFY(!p.isEmpty());
        QVERIFY2(!p.contains(QLatin1Char('\r')) && !p.contains(QLatin1Char('\n')), qPrintable(p));
    }
    QVERIFY(paragraphs.first().startsWith(QStringLiteral("Vestrano")));
    QVERIFY(paragraphs.at(18).contains(QStringLiteral("la password è VESTRANO.")));
}

void TestHelp::topicTexts()
{
    const QStringList paragraphs = overviewParagraphs();
    const QString sep = QStringLiteral("\r\n\r\n");
    QCOMPARE(registryHelpText(), paragraphs.mid(1, 10).join(sep));
    QCOMPARE(registerHelpText(), paragraphs.mid(11, 6).join(sep));
    QCOMPARE(registryHelpText().count(sep), 9);
    QCOMPARE(registerHelpText().count(sep), 5);
    QVERIFY(registryHelpText().startsWith(QStringLiteral(
        "L'app Archivio anagrafico interagisce con il registro delle presenze ma può essere "
        "usata anche come una completa rubrica elettronica dotata di funzioni avanzate quali "
        "l'invio di e-mail, il controllo della validità del codice fiscale, della partita IVA, "
        "del numero di carta di credito e del codice IBAN.")));
    QVERIFY(registerHelpText().startsWith(QStringLiteral(
        "L'app Registrazione presenze mette a disposizione per ciascun lavoratore o socio un "
        "calendario annuale nel quale annotare le sue presenze al lavoro e le attività svolte "
        "in ogni giorno dell'anno.")));

    const QStringList exportText = exportHelpText().split(sep);
    QCOMPARE(exportText.size(), 3);
    QCOMPARE(exportText.first(),
             QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati anagrafici "
                            "in un foglio di lavoro di Microsoft Excel, che potrà essere aperto "
                            "con qualsiasi software in grado di gestire i file in formato XLS (ad "
                            "esempio, con Open Office, Libre Office o Microsoft Office)."));
    QCOMPARE(exportText.last(),
             QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco "
                            "fisso assegnandogli un nome qualsiasi."));

    QCOMPARE(kOverviewHelpTitle, QStringLiteral("Uno sguardo a Vestrano."));
    QCOMPARE(kRegistryHelpTitle, QStringLiteral("Applicazione Archivio anagrafico."));
    QCOMPARE(kRegisterHelpTitle, QStringLiteral("Applicazione Registrazione presenze."));
    QCOMPARE(kExportHelpTitle,
             QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel."));
}

void TestHelp::helpWindowLayout()
{
    TfrmGuida help(nullptr);
    QCOMPARE(help.windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
    QCOMPARE(help.size(), QSize(670, 572));
    QVERIFY(!(help.windowFlags() & Qt::WindowMinMaxButtonsHint));
    const struct {
        const char* name;
        QRect geometry;
    } rows[] = {
        {"shpSfondo", {8, 8, 625, 89}},     {"imgLogo", {24, 16, 587, 69}},
        {"txtGuida", {8, 128, 625, 350}},   {"imgPDF", {8, 496, 27, 27}},
        {"btnChiudi", {472, 490, 161, 38}},
    };
    for (const auto& row : rows) {
        QWidget* w = child(&help, row.name);
        QVERIFY2(w, row.name);
        QCOMPARE(w->geometry(), row.geometry);
    }
    QCOMPARE(named<QLabel>(&help, "lblTitolo")->text(), QStringLiteral("Argomento della guida."));
    QCOMPARE(named<QLabel>(&help, "lblTitolo")->pos(), QPoint(8, 104));
    QCOMPARE(named<LinkLabel>(&help, "lnkWeb")->pos(), QPoint(44, 500));
    QCOMPARE(named<LinkLabel>(&help, "lnkWeb")->text(),
             QStringLiteral("Visualizza guida in formato PDF"));
    QCOMPARE(named<LinkLabel>(&help, "lnkWeb")->colour(), QColor(0x00, 0x00, 0x8B));
    QCOMPARE(named<Picture>(&help, "imgPDF")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(named<LinkLabel>(&help, "lnkWeb")->cursor().shape(), Qt::PointingHandCursor);
}

void TestHelp::overviewScrollsAndIsReadOnly()
{
    TfrmGuida help(nullptr);
    help.setTopic(kOverviewHelpTitle, overviewHelpText());
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(named<QPlainTextEdit>(&help, "txtGuida")->isReadOnly());
    QVERIFY(named<QPlainTextEdit>(&help, "txtGuida")->verticalScrollBar()->maximum() > 0);
    // One empty line between paragraphs: 20 paragraphs and 19 blank lines.
    QCOMPARE(named<QPlainTextEdit>(&help, "txtGuida")->document()->blockCount(), 39);
    const QString before = named<QPlainTextEdit>(&help, "txtGuida")->toPlainText();
    named<QPlainTextEdit>(&help, "txtGuida")->setFocus();
    QTest::keyClicks(named<QPlainTextEdit>(&help, "txtGuida"), QStringLiteral("xyz"));
    QTest::keyClick(named<QPlainTextEdit>(&help, "txtGuida"), Qt::Key_Delete);
    QCOMPARE(named<QPlainTextEdit>(&help, "txtGuida")->toPlainText(), before);
}

void TestHelp::helpOpenedTwiceShowsEachTopic()
{
    QWidget owner;
    const struct {
        QString title;
        QString text;
    } topics[] = {
        {kOverviewHelpTitle, overviewHelpText()},
        {kRegisterHelpTitle, registerHelpText()},
        {kExportHelpTitle, exportHelpText()},
    };
    QPointer<QWidget> previous;
    for (const auto& topic : topics) {
        QString title, text;
        QPointer<QWidget> seen;
        whenModal([&](QWidget* dialog) {
            auto* help = qobject_cast<TfrmGuida*>(dialog);
            QVERIFY(help);
            seen = help;
            QVERIFY(help->parentWidget() == &owner);
            title = named<QLabel>(help, "lblTitolo")->text();
            text = named<QPlainTextEdit>(help, "txtGuida")->toPlainText();
        });
        showHelp(&owner, topic.title, topic.text);
        QCOMPARE(title, topic.title);
        QCOMPARE(text, shown(topic.text));
        // Destroyed on close: a fresh window every time.
        QVERIFY(seen.isNull());
        QCOMPARE(owner.findChildren<TfrmGuida*>().size(), 0);
    }
}

void TestHelp::helpStacksAboveItsOwner()
{
    // A modal dialog opens the help; closing the help returns to that dialog, which is still
    // modal and still open.
    QDialog opener;
    opener.setObjectName(QStringLiteral("frmOpener"));
    QString modalDuringHelp, modalAfterHelp;
    bool helpOwnedByOpener = false;
    QTimer::singleShot(0, [&] {
        whenModal([&](QWidget* dialog) {
            modalDuringHelp = dialog ? dialog->objectName() : QString();
            helpOwnedByOpener = dialog && dialog->parentWidget() == &opener;
        });
        showHelp(&opener, kExportHelpTitle, exportHelpText());
        QWidget* now = QApplication::activeModalWidget();
        modalAfterHelp = now ? now->objectName() : QString();
        opener.accept();
    });
    opener.exec();
    QCOMPARE(modalDuringHelp, QStringLiteral("frmGuida"));
    QVERIFY(helpOwnedByOpener);
    QCOMPARE(modalAfterHelp, QStringLiteral("frmOpener"));
}

void TestHelp::guideLinkOpensGuideInFolderWithBlanks()
{
    QTemporaryDir root;
    const QString folder = root.path() + QStringLiteral("/Programmi con spazi/Vestrano/");
    setProgramFolderForTests(folder);
    ShellOpenRecorder shell;
    TfrmGuida help(nullptr);
    help.show();
    QTest::mouseClick(named<LinkLabel>(&help, "lnkWeb"), Qt::LeftButton);
    QTest::mouseClick(named<Picture>(&help, "imgPDF"), Qt::LeftButton);
    setProgramFolderForTests(QString());

    QCOMPARE(shell.count(), 2);
    for (const ShellOpenRequest& r : shell.requests()) {
        QCOMPARE(r.command, QLatin1Char('"') + folder + QStringLiteral("Guida.pdf\""));
        QCOMPARE(r.url.toLocalFile(), folder + QStringLiteral("Guida.pdf"));
    }
}

void TestHelp::linkPressedLook()
{
    ShellOpenRecorder shell;
    const QColor orange(0xFF, 0xA5, 0x00), darkBlue(0x00, 0x00, 0x8B);
    TfrmGuida help(nullptr);
    TfrmInfo info(nullptr);
    TfrmSplash splash(nullptr);
    const struct {
        LinkLabel* link;
        QAbstractButton* icon;
    } pairs[] = {{named<LinkLabel>(&help, "lnkWeb"), named<Picture>(&help, "imgPDF")},
                 {named<LinkLabel>(&info, "lnkWeb"), named<Picture>(&info, "imgEmail")},
                 {named<LinkLabel>(&splash, "lnkWeb"), named<Picture>(&splash, "imgWeb")}};
    for (const auto& pair : pairs) {
        for (QAbstractButton* pressed : {static_cast<QAbstractButton*>(pair.link), pair.icon}) {
            pressed->show();
            QTest::mousePress(pressed, Qt::LeftButton);
            QCOMPARE(pair.link->colour(), orange);
            QTest::mouseRelease(pressed, Qt::LeftButton);
            QCOMPARE(pair.link->colour(), darkBlue);
        }
    }
    QCOMPARE(shell.count(), 6);
}

void TestHelp::infoMailLink()
{
    ShellOpenRecorder shell;
    TfrmInfo info(nullptr);
    QCOMPARE(info.windowTitle(), QStringLiteral(" Informazioni su Vestrano"));
    QCOMPARE(info.size(), QSize(473, 579));
    QCOMPARE(named<LinkLabel>(&info, "lnkWeb")->text(), kMakerSupportAddress);
    QCOMPARE(named<LinkLabel>(&info, "lnkWeb")->pos(), QPoint(46, 528));
    QCOMPARE(named<Picture>(&info, "imgEmail")->geometry(), QRect(15, 531, 23, 16));
    QTest::mouseClick(named<LinkLabel>(&info, "lnkWeb"), Qt::LeftButton);
    QTest::mouseClick(named<Picture>(&info, "imgEmail"), Qt::LeftButton);
    QCOMPARE(shell.count(), 2);
    const QString expected =
        QStringLiteral("\"mailto:") + kMakerSupportAddress
        + QStringLiteral("?subject=Software Vestrano&body=Salve, desidererei avere le seguenti "
                         "informazioni sul software in oggetto:\"");
    QCOMPARE(shell.requests().at(0).command, expected);
    QCOMPARE(shell.requests().at(1).command, expected);
}

void TestHelp::infoCloseButtonReachable()
{
    // The close button lies inside the window and is not covered by anything: a fixed
    // window without title-bar buttons is left only through it.
    TfrmInfo info(nullptr);
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    const QRect inWindow(named<QPushButton>(&info, "btnChiudi")->mapTo(&info, QPoint(0, 0)),
                         named<QPushButton>(&info, "btnChiudi")->size());
    QVERIFY(info.rect().contains(inWindow));
    QCOMPARE(named<QPushButton>(&info, "btnChiudi")->size(), QSize(161, 41));
    QCOMPARE(info.childAt(inWindow.center()), named<QPushButton>(&info, "btnChiudi"));
    QCOMPARE(info.childAt(named<LinkLabel>(&info, "lnkWeb")->geometry().center()),
             named<LinkLabel>(&info, "lnkWeb"));
    QVERIFY(!inWindow.intersects(named<LinkLabel>(&info, "lnkWeb")->geometry()));
}

void TestHelp::splashWebLink()
{
    ShellOpenRecorder shell;
    QWidget owner;
    TfrmSplash splash(&owner);
    QVERIFY(splash.windowTitle().startsWith(QStringLiteral(" Vestrano")));
    QVERIFY(splash.windowTitle().contains(kMakerName));
    QCOMPARE(splash.size(), QSize(661, 467));
    QCOMPARE(named<LinkLabel>(&splash, "lnkWeb")->text(), kMakerWebAddress);
    QTest::mouseClick(named<LinkLabel>(&splash, "lnkWeb"), Qt::LeftButton);
    QTest::mouseClick(named<Picture>(&splash, "imgWeb"), Qt::LeftButton);
    QCOMPARE(shell.count(), 2);
    QCOMPARE(shell.last().command, kMakerWebAddress);
    QCOMPARE(shell.last().url.scheme(), QStringLiteral("https"));
}

namespace {
QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

void TestHelp::userGuideIsWrittenFromHelpTexts()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("Guida.pdf"));
    QVERIFY(writeUserGuide(pdf));

    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(!info.isEmpty(), "pdfinfo could not read the guide");
    QVERIFY(info.contains(QStringLiteral("Vestrano - Guida all'utilizzo del software")));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595 x 842"))));
    const int pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    QVERIFY2(pages >= 3, qPrintable(info));

    // Every help text is in the guide, under a heading of its topic; the words are compared
    // with the line breaks of the layout taken out.
    QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    // Compatibility normalisation undoes the typographic ligatures (fi, fl) of the layout.
    text = text.normalized(QString::NormalizationForm_KC).simplified();
    const QStringList expected =
        QStringList() << QStringLiteral("Guida all'utilizzo del software")
                      << QStringLiteral("Uno sguardo a Vestrano")
                      << QStringLiteral("Applicazione Archivio anagrafico")
                      << QStringLiteral("Applicazione Registrazione presenze")
                      << QStringLiteral("Esportazione archivio anagrafico in Microsoft Excel")
                      << overviewParagraphs() << exportParagraphs();
    for (const QString& piece : expected) {
        // The opening words are enough to find a paragraph and short enough for one line.
        const QString words = piece.section(QLatin1Char(' '), 0, 7).simplified();
        QVERIFY2(text.contains(words), qPrintable(words));
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
