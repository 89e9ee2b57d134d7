// The password file under the faults not met elsewhere: a folder in its place, and a device
// that fills up while the new password is written. The screens give their messages and the
// stored password stays as it was.

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/screens.h"
#include "common/testsupport.h"
#include "core/access/crypt.h"
#include "core/access/passwordstore.h"
#include "ui/messages.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include <memory>

namespace {

const QString kReadError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. Si "
    "consiglia di reinstallare il software.");
const QString kChangeError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si "
    "consiglia di reinstallare il software.");

QStringList folderEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

} // namespace

class TestPasswordFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void folderInPlaceOfThePasswordFile();
    void deviceFillsUpWhileChanging_data();
    void deviceFillsUpWhileChanging();

private:
    TfrmPassword* login() const { return qobject_cast<TfrmPassword*>(screens().frmPassword); }
    TfrmCambiaPassword* change() const
    {
        return qobject_cast<TfrmCambiaPassword*>(screens().frmCambiaPassword);
    }
    QString passwordFile() const { return m_folder->file(PasswordStore::fileName()); }

    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestPasswordFaults::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    createScreens();
    QVERIFY(login() && change());
}

void TestPasswordFaults::cleanup()
{
    destroyScreens();
    m_folder.reset();
}

// A folder named unins000.dll cannot be read: the login reports the read error and keeps what
// was typed, the change reports its error; the folder and its content stay.
void TestPasswordFaults::folderInPlaceOfThePasswordFile()
{
    QVERIFY(QDir().mkdir(passwordFile()));
    QVERIFY(writeAll(passwordFile() + QStringLiteral("/dentro"), "resta"));
    MessageRecorder messages;

    retype(named<QLineEdit>(login(), "txtPassword"), QStringLiteral("vestrano"));
    QTest::mouseClick(named<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Plain);
    QCOMPARE(messages.last().text, kReadError);
    QCOMPARE(named<QLineEdit>(login(), "txtPassword")->text(), QStringLiteral("vestrano"));
    QVERIFY(!screens().frmAvvio->isVisible());

    QTest::mouseClick(named<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
    retype(named<QLineEdit>(change(), "txtPasswordOld"), QStringLiteral("vestrano"));
    retype(named<QLineEdit>(change(), "txtPasswordNew"), QStringLiteral("nuova"));
    retype(named<QLineEdit>(change(), "txtConferma"), QStringLiteral("nuova"));
    QTest::mouseClick(named<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().kind, MessageKind::Plain);
    QCOMPARE(messages.last().text, kChangeError);
    QVERIFY(change()->isVisible());

    QVERIFY(QFileInfo(passwordFile()).isDir());
    QCOMPARE(readAll(passwordFile() + QStringLiteral("/dentro")), QByteArray("resta"));
}

void TestPasswordFaults::deviceFillsUpWhileChanging_data()
{
    QTest::addColumn<int>("room");
    QTest::newRow("no room for the new file") << 0;
    QTest::newRow("room for half of it") << 16;
}

// The new password does not fit on the device: the change reports its error with the fields
// as they were, the file keeps the old password byte for byte, no half-written file is left
// beside it, and the old password still opens the program.
void TestPasswordFaults::deviceFillsUpWhileChanging()
{
    QFETCH(int, room);
    const QByteArray stored =
        "[Accesso]\r\nValore=" + Encrypt(QStringLiteral("VESTRANO"))->toLatin1() + "\r\n";
    QVERIFY(writeAll(passwordFile(), stored));
    const QStringList before = folderEntries(m_folder->path());
    MessageRecorder messages;

    QTest::mouseClick(named<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
    retype(named<QLineEdit>(change(), "txtPasswordOld"), QStringLiteral("vestrano"));
    retype(named<QLineEdit>(change(), "txtPasswordNew"),
           QStringLiteral("una password piuttosto lunga"));
    retype(named<QLineEdit>(change(), "txtConferma"),
           QStringLiteral("una password piuttosto lunga"));
    {
        FileSizeLimit limit(room);
        QTest::mouseClick(named<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    }
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Plain);
    QCOMPARE(messages.last().text, kChangeError);
    QVERIFY(change()->isVisible());
    QCOMPARE(named<QLineEdit>(change(), "txtPasswordNew")->text(),
             QStringLiteral("una password piuttosto lunga"));
    QCOMPARE(readAll(passwordFile()), stored);
    QCOMPARE(folderEntries(m_folder->path()), before);

    QTest::mouseClick(named<QPushButton>(change(), "cmdEsci"), Qt::LeftButton);
    retype(named<QLineEdit>(login(), "txtPassword"), QStringLiteral("vestrano"));
    QTest::mouseClick(named<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(messages.count(), 1);
    QVERIFY(screens().frmAvvio->isVisible());
}

QTEST_MAIN(TestPasswordFaults)
#include "tst_passwordfaults.moc"
