// The font configuration start-up reads itself is fontconfig's own: the same files, font folders
// and fonts, and for every family the screens and reports ask for the same font with the same
// rendering (hinting, antialiasing, sub-pixel order). Where fontconfig's own start would fall
// back to its defaults, start-up leaves it to fontconfig.

#include "core/base/fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <fontconfig/fontconfig.h>

namespace {

// What start-up's own call made of the configuration, before the application object existed.
bool g_madeAtStart = false;

QStringList strings(FcStrList* list)
{
    QStringList out;
    if (!list)
        return out;
    while (FcChar8* s = FcStrListNext(list))
        out.append(QString::fromUtf8(reinterpret_cast<const char*>(s)));
    FcStrListDone(list);
    return out;
}

QStringList fontFiles(FcConfig* config)
{
    QStringList out;
    FcFontSet* set = FcConfigGetFonts(config, FcSetSystem);
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* file = nullptr;
        int index = 0;
        FcPatternGetString(set->fonts[i], FC_FILE, 0, &file);
        FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
        out.append(QStringLiteral("%1#%2")
                       .arg(QString::fromUtf8(reinterpret_cast<char*>(file)))
                       .arg(index));
    }
    out.sort();
    return out;
}

// The font a configuration chooses for a request, with every property it renders with.
QString chosen(FcConfig* config, const char* request)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    QString text;
    if (match) {
        FcChar8* unparsed = FcNameUnparse(match);
        text = QString::fromUtf8(reinterpret_cast<char*>(unparsed));
        FcStrFree(unparsed);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return text;
}

} // namespace

class TestFontConfiguration : public QObject {
    Q_OBJECT

private slots:
    void sameAsFontconfigsOwnStart();
    void leftToFontconfigWhereItFallsBack_data();
    void leftToFontconfigWhereItFallsBack();
};

void TestFontConfiguration::sameAsFontconfigsOwnStart()
{
    QVERIFY(g_madeAtStart);
    // Once the application object exists, a second call leaves the configuration alone.
    QVERIFY(!loadFontConfiguration());

    FcConfig* ours = FcConfigGetCurrent();
    FcConfig* own = FcInitLoadConfigAndFonts();
    QVERIFY(ours && own && ours != own);
    QCOMPARE(strings(FcConfigGetConfigFiles(ours)), strings(FcConfigGetConfigFiles(own)));
    QCOMPARE(strings(FcConfigGetFontDirs(ours)), strings(FcConfigGetFontDirs(own)));
    QCOMPARE(strings(FcConfigGetCacheDirs(ours)), strings(FcConfigGetCacheDirs(own)));
    QCOMPARE(FcConfigGetRescanInterval(ours), FcConfigGetRescanInterval(own));
    const QStringList files = fontFiles(ours);
    QVERIFY(!files.isEmpty());
    QCOMPARE(files, fontFiles(own));

    for (const char* request :
         {"Tahoma:pixelsize=11", "Tahoma:bold", "Verdana:pixelsize=12", "Verdana:bold:pixelsize=14",
          "Arial", "Arial:italic", "Courier New", "Liberation Sans:bold", "DejaVu Sans",
          "Sans Serif:pixelsize=12", "sans-serif", "serif", "monospace", "Cantarell"}) {
        const QString mine = chosen(ours, request);
        QVERIFY2(!mine.isEmpty(), request);
        QCOMPARE(mine, chosen(own, request));
    }
    FcConfigDestroy(own);

    // Qt's font database is filled from it like from fontconfig's own.
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
}

void TestFontConfiguration::leftToFontconfigWhereItFallsBack_data()
{
    QTest::addColumn<QByteArray>("configuration");
    QTest::addColumn<bool>("made");
    // No file at all: fontconfig's start makes its fallback configuration.
    QTest::newRow("no configuration file") << QByteArray() << false;
    // No cache folder named: fontconfig's start adds its own cache folders.
    QTest::newRow("no cache folder") << QByteArray("<dir>/usr/share/fonts</dir>") << false;
    QTest::newRow("a complete configuration")
        << QByteArray("<dir>/usr/share/fonts</dir><cachedir>CACHE</cachedir>") << true;
}

void TestFontConfiguration::leftToFontconfigWhereItFallsBack()
{
    QFETCH(QByteArray, configuration);
    QFETCH(bool, made);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString file = dir.filePath(QStringLiteral("fonts.conf"));
    if (!configuration.isNull()) {
        configuration.replace("CACHE", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        QFile conf(file);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("<?xml version=\"1.0\"?>\n<fontconfig>" + configuration + "</fontconfig>\n");
    } else {
        file = dir.filePath(QStringLiteral("missing.conf"));
    }
    // A start of its own: the configuration can be made once per process.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), file);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    // The child says what it made and whether Qt then found fonts to draw with.
    const QByteArray said = child.readAllStandardOutput().trimmed();
    QCOMPARE(said, QByteArray(made ? "made, fonts found" : "left, fonts found"));
}

int main(int argc, char* argv[])
{
    // First, as the program's main does.
    g_madeAtStart = loadFontConfiguration();
    if (argc == 2 && qstrcmp(argv[1], "--child") == 0) {
        QGuiApplication app(argc, argv);
        const bool found = !QFontDatabase::families().isEmpty();
        std::printf("%s, %s\n", g_madeAtStart ? "made" : "left",
                    found ? "fonts found" : "no fonts");
        return 0;
    }
    QGuiApplication app(argc, argv);
    TestFontConfiguration test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontconfiguration.moc"
