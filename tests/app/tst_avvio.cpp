#include "app/avvio.h"
#include "app/screens.h"
#include "common/modaltest.h"
#include "common/testsupport.h"
#include "core/help/helptexts.h"
#include "core/help/maker.h"
#include "help/guida.h"
#include "help/info.h"
#include "help/openurl.h"
#include "help/splash.h"
#include "ui/decor.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QtTest/QtTest>

#include <memory>

namespace {

// Runs action inside the application's event loop, as in the program, and answers the code
// that loop ended with: 0 when the action terminated the application, 99 when it did not
// within a second.
int exitCodeOf(const std::function<void()>& action)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(1000);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

} // namespace

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void createdSecondAfterLoginAsLongLivedScreen();
    void layoutAsDesigned();
    void everyPictureHasArtwork();
    void registryAndAttendanceSwitchScreens();
    void keyboardOpensBothHalves();
    void nothingHappensWhileTargetsAreMissing();
    void dialogsOpenFreshEachTime();
    void webStripOpensMakersSite();
    void exitIconAndClosingEndTheProgram();
    void creationSetsProcessFormats();

private:
    std::unique_ptr<TfrmAvvio> m_menu;
};

void TestAvvio::init()
{
    m_menu = std::make_unique<TfrmAvvio>();
}

void TestAvvio::cleanup()
{
    m_menu.reset();
    screens().frmClienti = nullptr;
    screens().frmMenuCamere = nullptr;
}

void TestAvvio::createdSecondAfterLoginAsLongLivedScreen()
{
    createScreens();
    QVERIFY(screens().frmAvvio);
    QCOMPARE(screens().frmAvvio->objectName(), QStringLiteral("frmAvvio"));
    QVERIFY(qobject_cast<TfrmAvvio*>(screens().frmAvvio.data()));
    QVERIFY(!screens().frmAvvio->isVisible());
    destroyScreens();
    QVERIFY(!screens().frmAvvio);
}

void TestAvvio::layoutAsDesigned()
{
    TfrmAvvio& menu = *m_menu;
    QCOMPARE(menu.windowTitle(), QStringLiteral(" Vestrano"));
    QVERIFY(menu.windowState() & Qt::WindowMaximized);
    QCOMPARE(named(&menu, "panContainer")->objectName(), QStringLiteral("panContainer"));
    QCOMPARE(named(&menu, "panContainer")->size(), QSize(995, 692));
    QCOMPARE(named(&menu, "shpSfondo")->geometry(), QRect(4, 4, 986, 684));

    const struct {
        const char* name;
        QRect geometry;
        bool clickable;
    } rows[] = {
        {"icoNome", {90, 15, 818, 69}, false},        {"imgSottotitolo", {17, 86, 961, 22}, false},
        {"imgInfo", {14, 14, 30, 30}, true},          {"imgGuida", {952, 16, 29, 28}, true},
        {"imgAnagrafica", {68, 148, 368, 368}, true}, {"btnAnagrafica", {30, 524, 442, 79}, true},
        {"imgPresenze", {560, 148, 368, 368}, true},  {"btnPresenze", {522, 524, 442, 79}, true},
        {"imgSito", {17, 628, 961, 22}, true},        {"imgAvviso", {16, 660, 23, 22}, true},
        {"imgEsci", {960, 662, 17, 18}, true},
    };
    for (const auto& row : rows) {
        auto* picture =
            named(&menu, "panContainer")->findChild<Picture*>(QString::fromLatin1(row.name));
        QVERIFY2(picture, row.name);
        QCOMPARE(picture->geometry(), row.geometry);
        QCOMPARE(picture->isClickable(), row.clickable);
        QCOMPARE(picture->cursor().shape(),
                 row.clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
        // The two large pictures are the mouse's way to the halves; their buttons carry the
        // names.
        if (row.clickable && !picture->isMouseOnly())
            QVERIFY2(!picture->accessibleName().isEmpty(), row.name);
    }
    // The container stays centred in the window.
    menu.setWindowState(Qt::WindowNoState);
    menu.resize(1280, 800);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QRect box = named(&menu, "panContainer")->geometry();
    QCOMPARE(box.center().x(), menu.rect().center().x());
}

void TestAvvio::everyPictureHasArtwork()
{
    QList<Picture*> pictures = m_menu->findChildren<Picture*>();
    TfrmGuida help(nullptr);
    TfrmInfo info(nullptr);
    TfrmSplash splash(nullptr);
    pictures << help.findChildren<Picture*>() << info.findChildren<Picture*>()
             << splash.findChildren<Picture*>();
    QCOMPARE(pictures.size(), 11 + 2 + 2 + 2);
    for (Picture* picture : pictures)
        QVERIFY2(picture->hasArtwork(), qPrintable(picture->svgPath()));
}

void TestAvvio::registryAndAttendanceSwitchScreens()
{
    QWidget registry, selection;
    screens().frmClienti = &registry;
    screens().frmMenuCamere = &selection;
    const struct {
        const char* picture;
        QWidget* target;
    } rows[] = {
        {"imgAnagrafica", &registry},
        {"btnAnagrafica", &registry},
        {"imgPresenze", &selection},
        {"btnPresenze", &selection},
    };
    for (const auto& row : rows) {
        registry.hide();
        selection.hide();
        m_menu->show();
        QTest::mouseClick(named(m_menu.get(), row.picture), Qt::LeftButton);
        QVERIFY(row.target->isVisible());
        QVERIFY(!m_menu->isVisible());
        QCOMPARE(registry.isVisible() + selection.isVisible(), 1);
    }
}

// The focus starts on "ARCHIVIO ANAGRAFICO": Enter opens the registry; Tab moves on to the
// attendance half, and the keypad's Enter opens it.
void TestAvvio::keyboardOpensBothHalves()
{
    QWidget registry, selection;
    screens().frmClienti = &registry;
    screens().frmMenuCamere = &selection;
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    QCOMPARE(QApplication::focusWidget(), named(m_menu.get(), "btnAnagrafica"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(registry.isVisible());
    QVERIFY(!m_menu->isVisible());

    registry.hide();
    m_menu->show();
    QApplication::setActiveWindow(m_menu.get());
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
    named(m_menu.get(), "btnAnagrafica")->setFocus();
    QTest::keyClick(named(m_menu.get(), "btnAnagrafica"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), named(m_menu.get(), "btnPresenze"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(selection.isVisible());
    QVERIFY(!registry.isVisible());
}

void TestAvvio::nothingHappensWhileTargetsAreMissing()
{
    m_menu->show();
    QTest::mouseClick(named(m_menu.get(), "imgAnagrafica"), Qt::LeftButton);
    QTest::mouseClick(named(m_menu.get(), "btnPresenze"), Qt::LeftButton);
    QVERIFY(m_menu->isVisible());
}

void TestAvvio::dialogsOpenFreshEachTime()
{
    ShellOpenRecorder shell;
    m_menu->show();
    const struct {
        const char* icon;
        const char* dialogName;
    } rows[] = {
        {"imgGuida", "frmGuida"},
        {"imgInfo", "frmInfo"},
        {"imgAvviso", "frmSplash"},
    };
    for (const auto& row : rows) {
        QList<QPointer<QWidget>> opened;
        for (int round = 0; round < 2; ++round) {
            QString name, title, text;
            whenModal([&](QWidget* dialog) {
                QVERIFY(dialog);
                opened << dialog;
                name = dialog->objectName();
                QVERIFY(dialog->parentWidget() == m_menu.get());
                if (auto* help = qobject_cast<TfrmGuida*>(dialog)) {
                    title = named<QLabel>(help, "lblTitolo")->text();
                    text = named<QPlainTextEdit>(help, "txtGuida")->toPlainText();
                    // Scroll away and leave the text changed as far as a user can.
                    named<QPlainTextEdit>(help, "txtGuida")->moveCursor(QTextCursor::End);
                    named<QLabel>(help, "lblTitolo")->setText(QStringLiteral("altro"));
                }
            });
            QTest::mouseClick(named(m_menu.get(), row.icon), Qt::LeftButton);
            QCOMPARE(name, QString::fromLatin1(row.dialogName));
            if (name == QLatin1String("frmGuida")) {
                QCOMPARE(title, kOverviewHelpTitle);
                QCOMPARE(text,
                         overviewHelpText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            }
        }
        QCOMPARE(opened.size(), 2);
        // Each opening was a fresh window, destroyed when it closed.
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull());
        QVERIFY(m_menu->findChildren<QDialog*>().isEmpty());
        QVERIFY(m_menu->isVisible());
    }
    QCOMPARE(shell.count(), 0);
}

void TestAvvio::webStripOpensMakersSite()
{
    ShellOpenRecorder shell;
    m_menu->show();
    QTest::mouseClick(named(m_menu.get(), "imgSito"), Qt::LeftButton);
    QCOMPARE(shell.count(), 1);
    QCOMPARE(shell.last().command, kMakerWebAddress);
    QCOMPARE(shell.last().url, QUrl(kMakerWebAddress));
    QVERIFY(m_menu->isVisible());
}

void TestAvvio::exitIconAndClosingEndTheProgram()
{
    m_menu->show();
    QCOMPARE(exitCodeOf([] {}), 99); // the loop really waits when nothing ends it
    QCOMPARE(
        exitCodeOf([this] { QTest::mouseClick(named(m_menu.get(), "imgEsci"), Qt::LeftButton); }),
        0);
    m_menu->show();
    QCOMPARE(exitCodeOf([this] { m_menu->close(); }), 0);
    QVERIFY(!m_menu->isVisible());
    // Hiding it to hand over to another screen is not closing: the run goes on.
    m_menu->show();
    QCOMPARE(exitCodeOf([this] {
                 switchScreen(m_menu.get(), nullptr);
                 m_menu->hide();
             }),
             99);
}

void TestAvvio::creationSetsProcessFormats()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TfrmAvvio menu;
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(QLocale().toString(2.5), QStringLiteral("2,5"));
}

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
