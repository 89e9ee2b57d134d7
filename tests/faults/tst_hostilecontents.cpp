// Hostile contents stay harmless. The password file unins000.dll is read only when it is a
// regular file of sane size: a FIFO in its place (which would freeze the login for good), a
// link to /dev/zero (which would be read until memory runs out) or a huge file give the read
// error at once and are left as they are. A stored e-mail reaches the mail program as one
// recipient and nothing else: "x@y.it?attach=/etc/passwd" attaches nothing.

#include "registry/cardscreen_support.h"

#include "access/cambiapassword.h"
#include "access/password.h"
#include "app/screens.h"
#include "common/hostilefiles.h"
#include "core/access/crypt.h"
#include "core/access/passwordstore.h"
#include "help/openurl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest/QtTest>

#include <sys/stat.h>

using F = AnagraficaField;

namespace {

const QString kReadError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. Si "
    "consiglia di reinstallare il software.");

QByteArray storedVestrano()
{
    return "[Accesso]\r\nValore=" + Encrypt(QStringLiteral("VESTRANO"))->toLatin1() + "\r\n";
}

enum class Hostile { Fifo, LinkToFifo, LinkToDevZero, HugeSparseFile, JustTooLarge };

} // namespace

class TestHostileContents : public QObject {
    Q_OBJECT

private slots:
    void passwordFileThatIsNoSaneFile_data();
    void passwordFileThatIsNoSaneFile();
    void passwordFileOfTheLargestSaneSize();
    void mailtoCarriesOnlyTheAddress_data();
    void mailtoCarriesOnlyTheAddress();
};

void TestHostileContents::passwordFileThatIsNoSaneFile_data()
{
    QTest::addColumn<int>("hostile");
    QTest::newRow("a FIFO") << int(Hostile::Fifo);
    QTest::newRow("a link to a FIFO") << int(Hostile::LinkToFifo);
    QTest::newRow("a link to /dev/zero") << int(Hostile::LinkToDevZero);
    QTest::newRow("a sparse file of 1 GB") << int(Hostile::HugeSparseFile);
    QTest::newRow("one byte over 64 KiB") << int(Hostile::JustTooLarge);
}

// The login says it cannot read the password, at once; changing the password fails the same
// way; what is in place of the file stays as it is.
void TestHostileContents::passwordFileThatIsNoSaneFile()
{
    QFETCH(int, hostile);
    TempProgramFolder folder;
    QTemporaryDir elsewhere;
    const QString file = folder.file(PasswordStore::fileName());
    const QByteArray native = QFile::encodeName(file);
    const QString fifoElsewhere = elsewhere.path() + QStringLiteral("/coda");
    switch (Hostile(hostile)) {
    case Hostile::Fifo:
        QCOMPARE(::mkfifo(native.constData(), 0666), 0);
        break;
    case Hostile::LinkToFifo:
        QCOMPARE(::mkfifo(QFile::encodeName(fifoElsewhere).constData(), 0666), 0);
        QVERIFY(QFile::link(fifoElsewhere, file));
        break;
    case Hostile::LinkToDevZero:
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        break;
    case Hostile::HugeSparseFile: {
        QVERIFY(writeAll(file, storedVestrano()));
        QVERIFY(QFile::resize(file, qint64(1) << 30));
        break;
    }
    case Hostile::JustTooLarge: {
        QByteArray bytes = storedVestrano();
        bytes += "; " + QByteArray(PasswordStore::kMaxFileBytes + 1 - bytes.size() - 2, 'x');
        QCOMPARE(bytes.size(), PasswordStore::kMaxFileBytes + 1);
        QVERIFY(writeAll(file, bytes));
        break;
    }
    }
    const QFileInfo before(file);
    const qint64 sizeBefore = before.isFile() ? before.size() : -1;

    {
        Deadline deadline(5000, "the password file was read as if it were a file");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!PasswordStore().readPassword().has_value());
        QVERIFY(!PasswordStore().readValue(QStringLiteral("Accesso"), QStringLiteral("Valore")));

        createScreens();
        auto* login = qobject_cast<TfrmPassword*>(screens().frmPassword);
        QVERIFY(login);
        MessageRecorder messages;
        retype(named<QLineEdit>(login, "txtPassword"), QStringLiteral("vestrano"));
        QTest::mouseClick(named<QPushButton>(login, "cmdOK"), Qt::LeftButton);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().kind, MessageKind::Plain);
        QCOMPARE(messages.last().text, kReadError);
        QVERIFY(!screens().frmAvvio->isVisible());
        destroyScreens();

        QCOMPARE(PasswordStore().storePassword(QStringLiteral("nuova")), StoreResult::WriteFailed);
        QVERIFY2(clock.elapsed() < 3000, "reading the password file took seconds");
    }

    const QFileInfo after(file);
    switch (Hostile(hostile)) {
    case Hostile::Fifo: {
        struct stat status {};
        QCOMPARE(::lstat(native.constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        break;
    }
    case Hostile::LinkToFifo:
        QCOMPARE(after.symLinkTarget(), fifoElsewhere);
        break;
    case Hostile::LinkToDevZero:
        QCOMPARE(after.symLinkTarget(), QStringLiteral("/dev/zero"));
        break;
    case Hostile::HugeSparseFile:
    case Hostile::JustTooLarge:
        QCOMPARE(after.size(), sizeBefore);
        break;
    }
    QCOMPARE(QDir(folder.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{PasswordStore::fileName()});
}

// A password file of exactly 64 KiB (the password and a long comment) is read, and opens the
// program; the limit keeps out only what no password file is.
void TestHostileContents::passwordFileOfTheLargestSaneSize()
{
    TempProgramFolder folder;
    QByteArray bytes = storedVestrano();
    bytes += "; " + QByteArray(PasswordStore::kMaxFileBytes - bytes.size() - 2, 'x');
    QCOMPARE(bytes.size(), PasswordStore::kMaxFileBytes);
    QVERIFY(writeAll(folder.file(PasswordStore::fileName()), bytes));
    QCOMPARE(PasswordStore().readPassword(), std::optional<QString>(QStringLiteral("VESTRANO")));
    QCOMPARE(PasswordStore().storePassword(QStringLiteral("nuova")), StoreResult::Stored);
    QCOMPARE(PasswordStore().readPassword(), std::optional<QString>(QStringLiteral("NUOVA")));
}

void TestHostileContents::mailtoCarriesOnlyTheAddress_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("command");
    QTest::newRow("an attachment asked for") << "x@y.it?attach=/etc/passwd"
                                             << "\"mailto:x@y.it%3Fattach%3D%2Fetc%2Fpasswd\"";
    QTest::newRow("more headers")
        << "x@y.it?subject=Ciao&body=Testo&cc=spia@z.it"
        << "\"mailto:x@y.it%3Fsubject%3DCiao%26body%3DTesto%26cc%3Dspia@z.it\"";
    QTest::newRow("a fragment") << "x@y.it#parte"
                                << "\"mailto:x@y.it%23parte\"";
    QTest::newRow("already percent-encoded")
        << "x@y.it%3Fattach%3D%2Fetc%2Fpasswd"
        << "\"mailto:x@y.it%253Fattach%253D%252Fetc%252Fpasswd\"";
    QTest::newRow("blanks and a plus") << "  mario rossi+lavoro@example.it "
                                       << "\"mailto:mario%20rossi%2Blavoro@example.it\"";
    QTest::newRow("a plain address") << "mario.rossi@example.it"
                                     << "\"mailto:mario.rossi@example.it\"";
}

// The e-mail button hands the desktop a mailto address whose only part is the recipient: no
// query (no subject, body, cc or attach) and no fragment, and the recipient, decoded, is the
// field's text exactly.
void TestHostileContents::mailtoCarriesOnlyTheAddress()
{
    QFETCH(QString, stored);
    QFETCH(QString, command);
    CardScreen card;
    ShellOpenRecorder shell;
    card.set(F::Email, stored);
    card.screen->btnEmailClick();
    QCOMPARE(shell.count(), 1);
    QCOMPARE(shell.last().command, command);
    const QUrl url = shell.last().url;
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QVERIFY(!url.hasQuery());
    QVERIFY(!url.hasFragment());
    QCOMPARE(url.path(QUrl::FullyDecoded), stored.trimmed());
    const QByteArray wire = url.toEncoded();
    for (const char c : {'?', '&', '#', ' ', '='})
        QVERIFY2(!wire.contains(c), wire.constData());
    QCOMPARE(card.messages.count(), 0);
}

QTEST_MAIN(TestHostileContents)
#include "tst_hostilecontents.moc"
