// The login and the password change screens driven as a user drives them: typing, Enter,
// clicks, the messages they show and what ends up in the password file.

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/screens.h"
#include "common/testsupport.h"
#include "core/access/crypt.h"
#include "core/access/passwordstore.h"
#include "ui/decor.h"
#include "ui/messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include <memory>

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. Si "
    "consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. E' necessario "
    "reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si "
    "consiglia di reinstallare il software.");
const QString kTooLong = QStringLiteral(
    "Attenzione: la nuova password non può superare i 255 caratteri. E' necessario reinserire "
    "entrambi i valori.");
const QString kNotStorable = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati. E' "
    "necessario reinserire entrambi i valori.");

QByteArray iniWith(const QString& password)
{
    return "[Accesso]\r\nValore=" + Encrypt(password)->toLatin1() + "\r\n";
}

// Names, in order, of the controls Tab visits from first.
QStringList tabChain(QWidget* first)
{
    QStringList names;
    QWidget* w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names;
}

// True when a label of screen, shown or hidden, holds the stored password as it reads decoded.
bool showsStoredPassword(const QWidget* screen)
{
    const std::optional<QString> stored = PasswordStore().readPassword();
    if (!stored || stored->isEmpty())
        return false;
    for (const QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->text().contains(*stored))
            return true;
    }
    return false;
}

QString focusName()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void okFollowsBlankness();
    void login_data();
    void login();
    void enterInLogin();
    void change_data();
    void change();
    void changeEnterCyclesAndNeverPressesOk();
    void changeThenLoginWithNewPassword();
    void esciEndsRunAfterVisitingChange();

private:
    TfrmPassword* loginScreen() const { return qobject_cast<TfrmPassword*>(screens().frmPassword); }
    TfrmCambiaPassword* changeScreen() const
    {
        return qobject_cast<TfrmCambiaPassword*>(screens().frmCambiaPassword);
    }
    void writePasswordFile(const QByteArray& content);
    void typeInto(QLineEdit* field, const QString& text);

    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestLogin::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    openToAll(m_folder->path());
    createScreens();
    QVERIFY(loginScreen());
    QVERIFY(changeScreen());
    QVERIFY(screens().frmAvvio);
    QVERIFY(QTest::qWaitForWindowActive(loginScreen()));
}

void TestLogin::cleanup()
{
    destroyScreens();
    m_folder.reset();
}

void TestLogin::writePasswordFile(const QByteArray& content)
{
    const QString path = m_folder->file(PasswordStore::fileName());
    QVERIFY(writeAll(path, content));
    openToAll(path);
}

void TestLogin::typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->clear();
    for (const QChar c : text) // as typed, one key at a time, accented letters included
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(field->text(), text);
}

void TestLogin::layout_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    const QString p = QStringLiteral("frmPassword");
    const QString c = QStringLiteral("frmCambiaPassword");
    const struct {
        QString screen;
        const char* control;
        QRect geometry;
    } rows[] = {
        {p, "panContainer", {14, 13, 360, 378}},
        {p, "shpSfondo", {8, 8, 344, 265}},
        {p, "imgLogo", {16, 16, 328, 160}},
        {p, "shpTitolo", {16, 184, 328, 81}},
        {p, "effPassword", {32, 218, 238, 30}},
        {p, "txtPassword", {36, 222, 230, 22}},
        {p, "cmdOK", {280, 216, 49, 33}},
        {p, "cmdEsci", {8, 338, 146, 32}},
        {p, "btnCambiaPassword", {205, 338, 146, 32}},
        {c, "panContainer", {13, 14, 385, 390}},
        {c, "shpSfondo", {8, 8, 369, 334}},
        {c, "imgLogo", {16, 16, 353, 148}},
        {c, "effPasswordOld", {12, 189, 361, 30}},
        {c, "txtPasswordOld", {16, 193, 353, 22}},
        {c, "effPasswordNew", {12, 245, 361, 30}},
        {c, "txtPasswordNew", {16, 249, 353, 22}},
        {c, "effConferma", {12, 301, 361, 30}},
        {c, "txtConferma", {16, 305, 353, 22}},
        {c, "cmdEsci", {8, 350, 146, 32}},
        {c, "cmdOK", {232, 350, 146, 32}},
    };
    for (const auto& row : rows)
        QTest::addRow("%s %s", qPrintable(row.screen), row.control)
            << row.screen << QString::fromLatin1(row.control) << row.geometry;
}

void TestLogin::layout()
{
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QWidget* window = screen == QLatin1String("frmPassword") ? screens().frmPassword
                                                             : screens().frmCambiaPassword;
    QCOMPARE(window->objectName(), screen);
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (control.startsWith(QLatin1String("eff"))) // shown only while its field has the focus
        QCOMPARE(widget->isVisible(), QApplication::focusWidget()
                                          == window->findChild<QWidget*>("txt" + control.mid(3)));
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(button->isEnabled(), control != QLatin1String("cmdOK"));
    }
}

void TestLogin::okFollowsBlankness()
{
    TfrmPassword* login = loginScreen();
    QCOMPARE(login->windowTitle(), QStringLiteral(" Vestrano - Autenticazione"));
    QCOMPARE(login->size(), QSize(388, 405));
    QCOMPARE(changeScreen()->windowTitle(), QStringLiteral(" Cambia password"));
    QCOMPARE(changeScreen()->size(), QSize(411, 418));
    QCOMPARE(tabChain(named<QLineEdit>(login, "txtPassword")),
             QStringList({"txtPassword", "cmdOK", "cmdEsci", "btnCambiaPassword"}));
    QCOMPARE(tabChain(named<QLineEdit>(changeScreen(), "txtPasswordOld")),
             QStringList({"txtPasswordOld", "txtPasswordNew", "txtConferma", "cmdEsci", "cmdOK"}));

    // The login shows with the focus, and its highlight, in the password field.
    QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(login, "txtPassword"));
    QVERIFY(named<QWidget>(login, "effPassword")->isVisible());
    QTest::keyClicks(named<QLineEdit>(login, "txtPassword"), QStringLiteral("  "));
    QVERIFY(!named<QPushButton>(login, "cmdOK")->isEnabled());
    QTest::keyClicks(named<QLineEdit>(login, "txtPassword"), QStringLiteral("a"));
    QVERIFY(named<QPushButton>(login, "cmdOK")->isEnabled());
    QTest::keyClick(named<QLineEdit>(login, "txtPassword"), Qt::Key_Backspace);
    QVERIFY(!named<QPushButton>(login, "cmdOK")->isEnabled());
    named<QPushButton>(login, "cmdEsci")->setFocus();
    QVERIFY(!named<QWidget>(login, "effPassword")->isVisible());

    TfrmCambiaPassword* change = changeScreen();
    QLineEdit* fields[] = {named<QLineEdit>(change, "txtPasswordOld"),
                           named<QLineEdit>(change, "txtPasswordNew"),
                           named<QLineEdit>(change, "txtConferma")};
    for (QLineEdit* field : fields)
        field->setText(QStringLiteral("x"));
    QVERIFY(named<QPushButton>(change, "cmdOK")->isEnabled());
    for (QLineEdit* blank : fields) {
        blank->setText(QStringLiteral(" \t "));
        QVERIFY(!named<QPushButton>(change, "cmdOK")->isEnabled());
        blank->setText(QStringLiteral("x"));
        QVERIFY(named<QPushButton>(change, "cmdOK")->isEnabled());
    }
}

void TestLogin::login_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty when the start menu opens
    QTest::addColumn<QString>("fieldAfter");
    const QByteArray vestrano = iniWith(QStringLiteral("VESTRANO"));
    QTest::newRow("lower case") << vestrano << 0644 << "vestrano"
                                << ""
                                << "vestrano";
    QTest::newRow("mixed case and blanks") << vestrano << 0644 << "  VeStRaNo  "
                                           << ""
                                           << "  VeStRaNo  ";
    QTest::newRow("wrong") << vestrano << 0644 << "vestrana" << kWrong << "";
    QTest::newRow("accented letters are not folded")
        << iniWith(QString::fromUtf8("CAFÈ")) << 0644 << QString::fromUtf8("cafè") << kWrong << "";
    QTest::newRow("accented letters typed as stored")
        << iniWith(QString::fromUtf8("CAFÈ")) << 0644 << QString::fromUtf8("cafÈ") << ""
        << QString::fromUtf8("cafÈ");
    QTest::newRow("missing file") << QByteArray("-") << 0644 << "vestrano" << kWrong << "";
    QTest::newRow("no Valore key")
        << QByteArray("[Accesso]\r\nAltro=1\r\n") << 0644 << "x" << kWrong << "";
    QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n") << 0644 << "x" << kWrong
                                 << "";
    QTest::newRow("not hex") << QByteArray("[Accesso]\r\nValore=3D93ZZ\r\n") << 0644 << "vestrano"
                             << kReadError << "vestrano";
    QTest::newRow("unreadable file") << vestrano << 0 << "vestrano" << kReadError << "vestrano";
}

void TestLogin::login()
{
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, fieldAfter);
    if (content != "-") {
        writePasswordFile(content);
        setMode(m_folder->file(PasswordStore::fileName()), mode);
    }
    TfrmPassword* login = loginScreen();
    typeInto(named<QLineEdit>(login, "txtPassword"), typed);
    MessageRecorder recorder;
    {
        AsOrdinaryUser user;
        QTest::mouseClick(named<QPushButton>(login, "cmdOK"), Qt::LeftButton);
    }
    if (message.isEmpty()) {
        QCOMPARE(recorder.count(), 0);
        QVERIFY(screens().frmAvvio->isVisible());
        QVERIFY(!login->isVisible());
    } else {
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.last().kind, MessageKind::Plain);
        QCOMPARE(recorder.last().text, message);
        QVERIFY(login->isVisible());
        QVERIFY(!screens().frmAvvio->isVisible());
        if (message == kWrong)
            QCOMPARE(focusName(), QStringLiteral("txtPassword"));
    }
    QCOMPARE(named<QLineEdit>(login, "txtPassword")->text(), fieldAfter);
    QCOMPARE(named<QPushButton>(login, "cmdOK")->isEnabled(), !fieldAfter.isEmpty());
    QVERIFY(!showsStoredPassword(login)); // nothing of the password is left behind
    QCOMPARE(QFileInfo::exists(m_folder->file(PasswordStore::fileName())), content != "-");
}

void TestLogin::enterInLogin()
{
    writePasswordFile(iniWith(QStringLiteral("VESTRANO")));
    TfrmPassword* login = loginScreen();
    MessageRecorder recorder;
    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("   "));
    QTest::keyClick(named<QLineEdit>(login, "txtPassword"), Qt::Key_Return);
    QCOMPARE(recorder.count(), 0);
    QCOMPARE(QApplication::focusWidget(),
             named<QLineEdit>(login, "txtPassword")); // Enter does not move on

    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("sbagliata"));
    QTest::keyClick(named<QLineEdit>(login, "txtPassword"), Qt::Key_Enter);
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(recorder.last().text, kWrong);
    QCOMPARE(named<QLineEdit>(login, "txtPassword")->text(), QString());

    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("vestrano"));
    QTest::keyClick(named<QLineEdit>(login, "txtPassword"), Qt::Key_Return);
    QCOMPARE(recorder.count(), 1);
    QVERIFY(screens().frmAvvio->isVisible());
    QVERIFY(!login->isVisible());
}

void TestLogin::change_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<QStringList>("typed"); // old, new, confirmation
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("fieldsAfter"); // empty when the screen closed
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<QString>("storedAfter");
    const QByteArray vestrano = iniWith(QStringLiteral("VESTRANO"));
    const QString v = QStringLiteral("VESTRANO");
    const QString longer(256, QLatin1Char('a'));
    QTest::newRow("changed") << vestrano << 0777
                             << QStringList{"vestrano", " nuova Parola ", " nuova Parola "}
                             << kChanged << QStringList() << ""
                             << "NUOVA PAROLA";
    QTest::newRow("one character")
        << iniWith("X") << 0777 << QStringList{"x", "y", "y"} << kChanged << QStringList() << ""
        << "Y";
    QTest::newRow("same as the old one")
        << vestrano << 0777 << QStringList{"VESTRANO", "vestrano", "vestrano"} << kChanged
        << QStringList() << "" << v;
    QTest::newRow("old wrong") << vestrano << 0777 << QStringList{"vestrana", "nuova", "nuova"}
                               << kOldWrong << QStringList{"", "nuova", "nuova"} << "txtPasswordOld"
                               << v;
    QTest::newRow("confirmation differs in case")
        << vestrano << 0777 << QStringList{"vestrano", "nuova", "NUOVA"} << kNotConfirmed
        << QStringList{"vestrano", "", ""} << "txtPasswordNew" << v;
    QTest::newRow("missing file") << QByteArray("-") << 0777
                                  << QStringList{"vestrano", "nuova", "nuova"} << kOldWrong
                                  << QStringList{"", "nuova", "nuova"} << "txtPasswordOld"
                                  << "";
    QTest::newRow("not hex") << QByteArray("[Accesso]\r\nValore=3D9\xC8\r\n") << 0777
                             << QStringList{"vestrano", "nuova", "nuova"} << kChangeError
                             << QStringList{"vestrano", "nuova", "nuova"} << "cmdOK"
                             << "";
    QTest::newRow("read-only folder")
        << vestrano << 0555 << QStringList{"vestrano", "nuova", "nuova"} << kChangeError
        << QStringList{"vestrano", "nuova", "nuova"} << "cmdOK" << v;
    QTest::newRow("longer than 255")
        << vestrano << 0777 << QStringList{"vestrano", longer, longer} << kTooLong
        << QStringList{"vestrano", "", ""} << "txtPasswordNew" << v;
    QTest::newRow("beyond U+00FF")
        << vestrano << 0777
        << QStringList{"vestrano", QString::fromUtf8("Łódź"), QString::fromUtf8("Łódź")}
        << kNotStorable << QStringList{"vestrano", "", ""} << "txtPasswordNew" << v;
}

void TestLogin::change()
{
    QFETCH(QByteArray, content);
    QFETCH(int, folderMode);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, fieldsAfter);
    QFETCH(QString, focusAfter);
    QFETCH(QString, storedAfter);
    const QString path = m_folder->file(PasswordStore::fileName());
    if (content != "-")
        writePasswordFile(content);
    const QByteArray before = readAll(path);

    TfrmPassword* login = loginScreen();
    TfrmCambiaPassword* change = changeScreen();
    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("typed before"));
    QTest::mouseClick(named<QPushButton>(login, "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(change->isVisible());
    QVERIFY(!login->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(change));
    QCOMPARE(named<QLineEdit>(login, "txtPassword")->text(), QStringLiteral("typed before"));
    QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(change, "txtPasswordOld"));

    QLineEdit* fields[] = {named<QLineEdit>(change, "txtPasswordOld"),
                           named<QLineEdit>(change, "txtPasswordNew"),
                           named<QLineEdit>(change, "txtConferma")};
    for (int i = 0; i < 3; ++i)
        typeInto(fields[i], typed.at(i));
    setMode(m_folder->path(), folderMode);
    MessageRecorder recorder;
    {
        AsOrdinaryUser user;
        QTest::mouseClick(named<QPushButton>(change, "cmdOK"), Qt::LeftButton);
    }
    setMode(m_folder->path(), 0777);
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(recorder.last().kind, MessageKind::Plain);
    QCOMPARE(recorder.last().text, message);

    if (fieldsAfter.isEmpty()) {
        QVERIFY(!change->isVisible());
        QVERIFY(login->isVisible());
        QCOMPARE(named<QLineEdit>(login, "txtPassword")->text(), QString());
        QVERIFY(!named<QPushButton>(login, "cmdOK")->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(login));
        QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(login, "txtPassword"));
    } else {
        QVERIFY(change->isVisible());
        QCOMPARE(QStringList({fields[0]->text(), fields[1]->text(), fields[2]->text()}),
                 fieldsAfter);
        QCOMPARE(named<QPushButton>(change, "cmdOK")->isEnabled(),
                 !fieldsAfter.contains(QString()));
        QCOMPARE(focusName(), focusAfter);
        QCOMPARE(named<QLineEdit>(login, "txtPassword")->text(), QStringLiteral("typed before"));
    }
    QVERIFY(!showsStoredPassword(change));
    if (storedAfter.isEmpty()) {
        QCOMPARE(readAll(path), before); // nothing written, no file made
        QCOMPARE(QFileInfo::exists(path), content != "-");
    } else {
        QCOMPARE(PasswordStore().readPassword(), std::optional<QString>(storedAfter));
    }
}

void TestLogin::changeEnterCyclesAndNeverPressesOk()
{
    writePasswordFile(iniWith(QStringLiteral("VESTRANO")));
    TfrmCambiaPassword* change = changeScreen();
    // Whatever was left in the fields is cleared each time the screen is shown.
    named<QLineEdit>(change, "txtPasswordNew")->setText(QStringLiteral("left over"));
    QTest::mouseClick(named<QPushButton>(loginScreen(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(change));
    QCOMPARE(named<QLineEdit>(change, "txtPasswordNew")->text(), QString());

    typeInto(named<QLineEdit>(change, "txtPasswordOld"), QStringLiteral("vestrano"));
    typeInto(named<QLineEdit>(change, "txtPasswordNew"), QStringLiteral("nuova"));
    typeInto(named<QLineEdit>(change, "txtConferma"), QStringLiteral("nuova"));
    QVERIFY(named<QPushButton>(change, "cmdOK")->isEnabled());
    MessageRecorder recorder;
    const QList<QWidget*> cycle = {
        named<QLineEdit>(change, "txtPasswordOld"), named<QLineEdit>(change, "txtPasswordNew"),
        named<QLineEdit>(change, "txtConferma"), named<QLineEdit>(change, "txtPasswordOld")};
    named<QLineEdit>(change, "txtPasswordOld")->setFocus();
    for (int i = 0; i + 1 < cycle.size(); ++i) {
        QVERIFY(
            change->findChild<QWidget*>(QStringLiteral("eff") + cycle.at(i)->objectName().mid(3))
                ->isVisible());
        QTest::keyClick(cycle.at(i), i % 2 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), cycle.at(i + 1));
    }
    QVERIFY(!named<QWidget>(change, "effPasswordNew")->isVisible());
    QCOMPARE(recorder.count(), 0);
    QVERIFY(change->isVisible());
    QCOMPARE(PasswordStore().readPassword(), std::optional<QString>(QStringLiteral("VESTRANO")));

    // "Chiudi" hands back to the login, its field emptied and focused.
    QTest::mouseClick(named<QPushButton>(change, "cmdEsci"), Qt::LeftButton);
    QVERIFY(!change->isVisible());
    QVERIFY(loginScreen()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(loginScreen()));
    QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(loginScreen(), "txtPassword"));
    QCOMPARE(recorder.count(), 0);
}

void TestLogin::changeThenLoginWithNewPassword()
{
    writePasswordFile(iniWith(QStringLiteral("VESTRANO")));
    TfrmPassword* login = loginScreen();
    TfrmCambiaPassword* change = changeScreen();
    MessageRecorder recorder;
    QTest::mouseClick(named<QPushButton>(login, "btnCambiaPassword"), Qt::LeftButton);
    typeInto(named<QLineEdit>(change, "txtPasswordOld"), QStringLiteral("Vestrano"));
    typeInto(named<QLineEdit>(change, "txtPasswordNew"), QStringLiteral("seconda"));
    typeInto(named<QLineEdit>(change, "txtConferma"), QStringLiteral("seconda"));
    QTest::mouseClick(named<QPushButton>(change, "cmdOK"), Qt::LeftButton);
    QCOMPARE(recorder.last().text, kChanged);
    QVERIFY(login->isVisible());

    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("vestrano"));
    QTest::mouseClick(named<QPushButton>(login, "cmdOK"), Qt::LeftButton);
    QCOMPARE(recorder.last().text, kWrong);
    typeInto(named<QLineEdit>(login, "txtPassword"), QStringLiteral("SECONDA"));
    QTest::mouseClick(named<QPushButton>(login, "cmdOK"), Qt::LeftButton);
    QCOMPARE(recorder.count(), 2);
    QVERIFY(screens().frmAvvio->isVisible());
    QVERIFY(!login->isVisible());
}

void TestLogin::esciEndsRunAfterVisitingChange()
{
    TfrmPassword* login = loginScreen();
    QTest::mouseClick(named<QPushButton>(login, "btnCambiaPassword"), Qt::LeftButton);
    QTest::mouseClick(named<QPushButton>(changeScreen(), "cmdEsci"), Qt::LeftButton);
    QVERIFY(login->isVisible());

    QTimer::singleShot(0, login, [login] {
        QTest::mouseClick(named<QPushButton>(login, "cmdEsci"), Qt::LeftButton);
    });
    QTimer guard; // ends the loop with another code if "Esci" does not
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!login->isVisible());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
