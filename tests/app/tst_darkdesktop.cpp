// Colours that hold on a dark desktop: our screens draw their own backgrounds, so they set
// their own text colours too. Every screen, with data in it, looks the same, pixel for pixel,
// under a light and under a dark application palette, whether the palette turns dark while
// the screen is up or was dark before the screen was made. Run on X11 with a platform theme
// (the darkdesktop_gtk3 test: Qt's GTK theme with a dark GTK theme), every screen looks, pixel
// for pixel, as it does in a copy of the test started on the same display without the theme.

#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "register/menucamere.h"
#include "registry/allegacartella.h"
#include "registry/clienti.h"
#include "registry/expclienti.h"
#include "registry/trovaclienti.h"
#include "validators/frmiban.h"

#include <QApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <functional>
#include <memory>

namespace {

QPalette darkPalette()
{
    QPalette p;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2A, 0x2A, 0x2A);
    for (auto [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, window},
             {QPalette::WindowText, Qt::white},
             {QPalette::Base, base},
             {QPalette::AlternateBase, QColor(0x42, 0x42, 0x42)},
             {QPalette::Text, Qt::white},
             {QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90)},
             {QPalette::Button, window},
             {QPalette::ButtonText, Qt::white},
             {QPalette::BrightText, Qt::red},
             {QPalette::Light, QColor(0x50, 0x50, 0x50)},
             {QPalette::Midlight, QColor(0x45, 0x45, 0x45)},
             {QPalette::Mid, QColor(0x25, 0x25, 0x25)},
             {QPalette::Dark, QColor(0x20, 0x20, 0x20)},
             {QPalette::Shadow, Qt::black},
             {QPalette::Highlight, QColor(0x2A, 0x82, 0xDA)},
             {QPalette::HighlightedText, Qt::black},
             {QPalette::Link, QColor(0x2A, 0x82, 0xDA)},
             {QPalette::ToolTipBase, base},
             {QPalette::ToolTipText, Qt::white},
         })
        p.setColor(role, colour);
    return p;
}

// Where two pictures of a window differ: the first and last rows of pixels that do.
QString differingRows(const QImage& a, const QImage& b)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < qMin(a.height(), b.height()); ++y) {
        if (a.copy(0, y, a.width(), 1) != b.copy(0, y, b.width(), 1)) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return QStringLiteral("%1 to %2").arg(first).arg(last);
}

QImage picture(QWidget* window)
{
    QCoreApplication::processEvents();
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

AnagraficaRecord card(const QString& cognome, const QString& nome)
{
    AnagraficaRecord c;
    c.set(AnagraficaField::Cognome, cognome);
    c.set(AnagraficaField::Nome, nome);
    c.set(AnagraficaField::IndirizzoRes, QStringLiteral("Via Roma 1"));
    c.set(AnagraficaField::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
    c.set(AnagraficaField::Recapito, QStringLiteral("333 1234567"));
    c.set(AnagraficaField::Conducente, QStringLiteral("Magazzino"));
    return c;
}

} // namespace

class TestDarkDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void screensLookTheSame_data();
    void screensLookTheSame();
    void platformThemeLeavesTheLooks_data() { screensLookTheSame_data(); }
    void platformThemeLeavesTheLooks();

private:
    TempProgramFolder* m_folder = nullptr;
    QPalette m_light;
    QColor m_desktopWindow; // the window colour of the desktop's palette, before ours
};

void TestDarkDesktop::initTestCase()
{
    m_desktopWindow = QGuiApplication::palette().color(QPalette::Window);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_light = QApplication::palette();
    m_folder = new TempProgramFolder;
    QVERIFY(writeAll(registryFilePath(),
                     card(QStringLiteral("Rossi"), QStringLiteral("Mario")).bytes()
                         + card(QStringLiteral("Verdi"), QStringLiteral("Elena")).bytes()));
}

void TestDarkDesktop::cleanup()
{
    destroyScreens();
    QApplication::setPalette(m_light);
}

void TestDarkDesktop::cleanupTestCase()
{
    delete m_folder;
}

using Opener = std::function<QWidget*()>; // shows a screen with data in it, returns it

void TestDarkDesktop::screensLookTheSame_data()
{
    QTest::addColumn<Opener>("open");
    const auto longLived = [](QPointer<QWidget> Screens::*slot,
                              std::function<void(QWidget*)> fill = {}) {
        return Opener([slot, fill] {
            QWidget* w = screens().*slot;
            w->show();
            if (fill)
                fill(w);
            return w;
        });
    };
    QTest::newRow("login") << longLived(&Screens::frmPassword);
    QTest::newRow("start menu") << longLived(&Screens::frmAvvio);
    QTest::newRow("card screen") << longLived(
        &Screens::frmClienti, [](QWidget* w) { static_cast<TfrmClienti*>(w)->imgPrimaClick(); });
    QTest::newRow("selection") << longLived(&Screens::frmMenuCamere, [](QWidget* w) {
        w->findChild<QListWidget*>(QStringLiteral("lstRecords"))->setCurrentRow(1);
    });
    QTest::newRow("calendar") << longLived(&Screens::frmPlanning, [](QWidget* w) {
        for (const char* name : {"txtPersona", "txtRecapito", "txtCodFisc", "txtMansioni"})
            w->findChild<QLineEdit*>(QLatin1String(name))->setText(QStringLiteral("Rossi Mario"));
    });
    const auto dialog = [](std::function<QWidget*()> make) {
        return Opener([make] {
            QWidget* d = make();
            d->setAttribute(Qt::WA_DeleteOnClose);
            d->show();
            return d;
        });
    };
    QTest::newRow("export") << dialog([] { return new TfrmExpClienti; });
    QTest::newRow("attachments") << dialog([] {
        auto* d = new TfrmAllegaCartella;
        d->findChild<QLineEdit*>(QStringLiteral("txtFile01"))
            ->setText(QStringLiteral("preventivo.pdf"));
        return d;
    });
    QTest::newRow("search") << dialog([] {
        auto* d = new TfrmTrovaClienti(static_cast<TfrmClienti*>(screens().frmClienti.data()));
        d->btnCercaClick();
        return d;
    });
    QTest::newRow("IBAN check") << dialog([] { return new TfrmIban; });
}

void TestDarkDesktop::screensLookTheSame()
{
    QFETCH(Opener, open);
    // A picture of the screen, made afresh, under the light palette or a dark one.
    const auto look = [&](bool darkBefore, bool darkAfter) {
        destroyScreens();
        QApplication::setPalette(darkBefore ? darkPalette() : m_light);
        createScreens();
        if (!logIn())
            return QImage();
        QWidget* window = open();
        if (!QTest::qWaitForWindowExposed(window))
            return QImage();
        if (darkAfter)
            QApplication::setPalette(darkPalette());
        const QImage image = picture(window);
        // A dialog goes; a long-lived screen is only hidden (closing it would hand over).
        if (window->testAttribute(Qt::WA_DeleteOnClose))
            window->close();
        else
            window->hide();
        return image;
    };
    const QImage light = look(false, false);
    QVERIFY(!light.isNull());
    const struct {
        const char* when;
        QImage image;
    } darks[] = {
        {"turned dark while up", look(false, true)},
        {"dark before it was made", look(true, true)},
    };
    for (const auto& dark : darks) {
        QVERIFY2(dark.image.size() == light.size(), dark.when);
        QVERIFY2(dark.image == light,
                 qPrintable(QString::fromLatin1(dark.when) + QStringLiteral(": rows ")
                            + differingRows(light, dark.image)));
    }
}

// Each picture is made by a fresh copy of this program, asked for one row of this test with
// VESTRANO_LOOKS_INTO naming the folder for its picture: one copy with the platform theme of
// this run, one without it. Text drawn earlier in a process changes how later text is placed
// to the fraction of a pixel, so both copies draw only the screen of the row.
void TestDarkDesktop::platformThemeLeavesTheLooks()
{
    QFETCH(Opener, open);
    const QString tag = QString::fromUtf8(QTest::currentDataTag());
    const QString saveInto = qEnvironmentVariable("VESTRANO_LOOKS_INTO");
    if (!saveInto.isEmpty()) {
        createScreens();
        QVERIFY(logIn());
        QWidget* window = open();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QImage look = picture(window);
        QVERIFY(!look.isNull());
        QVERIFY(look.save(saveInto + QStringLiteral("/look.png")));
        QVERIFY(writeAll(saveInto + QStringLiteral("/desktop"), m_desktopWindow.name().toLatin1()));
        return;
    }
    const QString theme = qEnvironmentVariable("QT_QPA_PLATFORMTHEME");
    if (theme.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs X11 and a platform theme (the darkdesktop_gtk3 test)");
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + QStringLiteral("/platformthemes/libq%1.so").arg(theme);
    // The desktop portal, GNOME and KDE themes are built into Qt; the others are plugins.
    const QStringList builtIn{QStringLiteral("xdgdesktopportal"), QStringLiteral("gnome"),
                              QStringLiteral("kde"), QStringLiteral("generic")};
    if (!builtIn.contains(theme) && !QFile::exists(plugin))
        QSKIP(qPrintable(QStringLiteral("the platform theme %1 is not installed").arg(theme)));

    // The picture a copy made, and the window colour its desktop offered.
    const auto look = [&tag](bool themed) -> std::pair<QImage, QByteArray> {
        QTemporaryDir folder;
        QProcess copy;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!themed) {
            env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
            env.remove(QStringLiteral("GTK_THEME"));
        }
        env.insert(QStringLiteral("VESTRANO_LOOKS_INTO"), folder.path());
        copy.setProcessEnvironment(env);
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("platformThemeLeavesTheLooks:") + tag});
        if (!copy.waitForFinished(60000) || copy.exitCode() != 0) {
            qWarning("%s", copy.readAll().constData());
            return {};
        }
        return {QImage(folder.filePath(QStringLiteral("look.png")))
                    .convertToFormat(QImage::Format_RGB32),
                readAll(folder.filePath(QStringLiteral("desktop")))};
    };
    const auto [themed, themedDesktop] = look(true);
    const auto [plain, plainDesktop] = look(false);
    // The theme was in force in its copy: it offered other colours than the plain desktop.
    QVERIFY2(themedDesktop != plainDesktop, themedDesktop.constData());
    QVERIFY(!themed.isNull());
    QVERIFY(!plain.isNull());
    QCOMPARE(themed.size(), plain.size());
    if (themed != plain) {
        themed.save(QDir::temp().filePath(QStringLiteral("vestrano-themed.png")));
        plain.save(QDir::temp().filePath(QStringLiteral("vestrano-plain.png")));
        QFAIL(qPrintable(QStringLiteral("the theme changed rows ") + differingRows(plain, themed)
                         + QStringLiteral(" (pictures in the temporary folder)")));
    }
}

QTEST_MAIN(TestDarkDesktop)
#include "tst_darkdesktop.moc"
