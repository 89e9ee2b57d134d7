// The scrambling of the password and the INI file that holds it, checked on the bytes.

#include "common/testsupport.h"
#include "core/access/crypt.h"
#include "core/access/passwordstore.h"
#include "core/storage/disk.h"

#include <QDir>
#include <QtTest/QtTest>

#include <cerrno>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QString>)

namespace QTest {
template <> char* toString(const std::optional<QString>& value)
{
    return value ? toString(*value) : qstrdup("(nothing)");
}
} // namespace QTest

namespace {

// The real disk on a mount that takes no writes (or with every file immutable): what no
// permission bit can show to root.
class ReadOnlyMount : public Disk {
public:
    ReadOnlyMount() { setDiskForTests(this); }
    ~ReadOnlyMount() override { setDiskForTests(nullptr); }
    int mayWrite(const QString&) override { return EROFS; }
};

} // namespace

class TestPasswordStore : public QObject {
    Q_OBJECT

private slots:
    void roundTripEveryByteAndLength();
    void cryptCases_data();
    void cryptCases();
    void sharedPrefixGivesSharedDigits();
    void deliveredFileHoldsInitialPassword();
    void readValue_data();
    void readValue();
    void writeKeepsEverythingElse_data();
    void writeKeepsEverythingElse();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void readPassword_data();
    void readPassword();
    void storePassword_data();
    void storePassword();
};

void TestPasswordStore::roundTripEveryByteAndLength()
{
    for (int length = 1; length <= kMaxCryptLength; ++length) {
        // Each length walks its own path through all 256 codes, controls and U+0080-U+00FF too.
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(char16_t((i * 97 + length * 31) % 256));
        const std::optional<QString> hex = Encrypt(text);
        QVERIFY(hex);
        QCOMPARE(hex->size(), 2 * length);
        QCOMPARE(*hex, hex->toUpper());
        QCOMPARE(Decrypt(*hex), std::optional<QString>(text));
    }
    for (int code = 0; code < 256; ++code) {
        const QString one{QChar(char16_t(code))};
        QCOMPARE(Decrypt(*Encrypt(one)), std::optional<QString>(one));
    }
}

void TestPasswordStore::cryptCases_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<std::optional<QString>>("text");
    const QString vestrano = *Encrypt(QStringLiteral("VESTRANO"));
    QTest::newRow("empty") << QString() << std::optional<QString>(QString());
    QTest::newRow("lower-case digits")
        << vestrano.toLower() << std::optional<QString>(QStringLiteral("VESTRANO"));
    QTest::newRow("odd last digit ignored")
        << vestrano + QLatin1Char('7') << std::optional<QString>(QStringLiteral("VESTRANO"));
    QTest::newRow("three digits read as two")
        << vestrano.left(3) << std::optional<QString>(QStringLiteral("V"));
    QTest::newRow("high byte dropped")
        << *Encrypt(QString(QChar(0x0141))) << std::optional<QString>(QStringLiteral("A"));
    QTest::newRow("not hex") << QStringLiteral("3G") << std::optional<QString>();
    QTest::newRow("blank inside a pair") << QStringLiteral("3D 9") << std::optional<QString>();
    QTest::newRow("sign") << QStringLiteral("+1") << std::optional<QString>();
    QTest::newRow("255 pairs") << *Encrypt(QString(255, QLatin1Char('Z')))
                               << std::optional<QString>(QString(255, QLatin1Char('Z')));
    QTest::newRow("256 pairs") << QString(512, QLatin1Char('0')) << std::optional<QString>();
}

void TestPasswordStore::cryptCases()
{
    QFETCH(QString, hex);
    QFETCH(std::optional<QString>, text);
    QCOMPARE(Decrypt(hex), text);
}

void TestPasswordStore::sharedPrefixGivesSharedDigits()
{
    const QString a = *Encrypt(QStringLiteral("VESTRANO"));
    QCOMPARE(*Encrypt(QStringLiteral("VESTRANO")), a); // no salt, no randomness
    const QString b = *Encrypt(QStringLiteral("VESTIBOLO"));
    QCOMPARE(b.left(8), a.left(8));
    QVERIFY(b.mid(8, 2) != a.mid(8, 2));
    QCOMPARE(Encrypt(QString()), std::optional<QString>(QString()));
    QCOMPARE(Encrypt(QString(256, QLatin1Char('A'))), std::optional<QString>());
}

void TestPasswordStore::deliveredFileHoldsInitialPassword()
{
    // The file delivered with the program, the README and the help texts agree on VESTRANO.
    const QString delivered = QFINDTESTDATA("../../resources/unins000.dll");
    QVERIFY(!delivered.isEmpty());
    QCOMPARE(PasswordStore(delivered).readPassword(),
             std::optional<QString>(QStringLiteral("VESTRANO")));
    QCOMPARE(readAll(delivered),
             QByteArray("[Accesso]\r\nValore=" + Encrypt(QStringLiteral("VESTRANO"))->toLatin1()
                        + "\r\n"));
}

void TestPasswordStore::readValue_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=ABCD\r\n") << "ABCD";
    QTest::newRow("blanks and case")
        << QByteArray(" [ accesso ]\n  VALORE =  AB CD \t\n") << "AB CD";
    QTest::newRow("no section") << QByteArray("Valore=ABCD\n") << "";
    QTest::newRow("key in another section")
        << QByteArray("[Altro]\nValore=ABCD\n[Accesso]\n") << "";
    QTest::newRow("no key") << QByteArray("[Accesso]\nChiave=1\n") << "";
    QTest::newRow("comment is no key") << QByteArray("[Accesso]\n;Valore=11\nValore=22") << "22";
    QTest::newRow("first section counts")
        << QByteArray("[Accesso]\nValore=11\n[Accesso]\nValore=22\n") << "11";
    QTest::newRow("byte order mark")
        << QByteArray("\xEF\xBB\xBF[Accesso]\nValore=ABCD\n") << "ABCD";
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestPasswordStore::readValue()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, value);
    TempProgramFolder folder;
    QVERIFY(writeAll(folder.file(PasswordStore::fileName()), content));
    QCOMPARE(PasswordStore().readValue(QStringLiteral("Accesso"), QStringLiteral("Valore")),
             std::optional<QString>(value));
}

void TestPasswordStore::writeKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before"); // "-" for no file
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("no file") << QByteArray("-") << QByteArray("[Accesso]\r\nValore=BEEF\r\n");
    QTest::newRow("value replaced in place")
        << QByteArray("; note\r\n[Altro]\r\nValore=11\r\n\r\n[Accesso]\r\nA=1\r\n Valore = "
                      "3D93\r\nZ=2\r\n")
        << QByteArray("; note\r\n[Altro]\r\nValore=11\r\n\r\n[Accesso]\r\nA=1\r\n Valore "
                      "=BEEF\r\nZ=2\r\n");
    QTest::newRow("last line without end")
        << QByteArray("[Accesso]\nValore=00") << QByteArray("[Accesso]\nValore=BEEF");
    QTest::newRow("key added to its section")
        << QByteArray("[Accesso]\nA=1\n\n[Altro]\nB=2\n")
        << QByteArray("[Accesso]\nA=1\nValore=BEEF\n\n[Altro]\nB=2\n");
    QTest::newRow("section added") << QByteArray("[Altro]\r\nB=2")
                                   << QByteArray("[Altro]\r\nB=2\r\n[Accesso]\r\nValore=BEEF\r\n");
}

void TestPasswordStore::writeKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TempProgramFolder folder;
    const QString path = folder.file(PasswordStore::fileName());
    if (before != "-")
        QVERIFY(writeAll(path, before));
    QVERIFY(PasswordStore().writeValue(QStringLiteral("Accesso"), QStringLiteral("Valore"),
                                       QStringLiteral("BEEF")));
    QCOMPARE(readAll(path), after);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{PasswordStore::fileName()});
}

void TestPasswordStore::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("readOnlyMount");
    QTest::newRow("read-only folder") << 0555 << 0666 << false;
    QTest::newRow("read-only file") << 0777 << 0444 << false;
    QTest::newRow("read-only mount") << 0777 << 0666 << true;
}

void TestPasswordStore::failedWriteKeepsOldFile()
{
    QFETCH(int, folderMode);
    QFETCH(int, fileMode);
    QFETCH(bool, readOnlyMount);
    TempProgramFolder folder;
    const QString path = folder.file(PasswordStore::fileName());
    const QByteArray old =
        "[Accesso]\r\nValore=" + Encrypt(QStringLiteral("VECCHIA"))->toLatin1() + "\r\n";
    QVERIFY(writeAll(path, old));
    setMode(path, fileMode);
    setMode(folder.path(), folderMode);
    {
        // The mount refuses the process's own user, root included; the bits refuse an
        // ordinary one.
        std::optional<ReadOnlyMount> mount;
        std::optional<AsOrdinaryUser> user;
        if (readOnlyMount)
            mount.emplace();
        else
            user.emplace();
        QCOMPARE(PasswordStore().storePassword(QStringLiteral("nuova")), StoreResult::WriteFailed);
        QCOMPARE(PasswordStore().readPassword(), std::optional<QString>(QStringLiteral("VECCHIA")));
    }
    setMode(folder.path(), 0700);
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{PasswordStore::fileName()});
}

void TestPasswordStore::readPassword_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<int>("mode");
    QTest::addColumn<std::optional<QString>>("password");
    const QByteArray padded = Encrypt(QStringLiteral("  PAROLA \t"))->toLatin1();
    QTest::newRow("missing file") << QByteArray("-") << 0666 << std::optional<QString>(QString());
    QTest::newRow("decoded and trimmed") << "[Accesso]\nValore=" + padded << 0666
                                         << std::optional<QString>(QStringLiteral("PAROLA"));
    QTest::newRow("not hex") << QByteArray("[Accesso]\nValore=3D9Z") << 0666
                             << std::optional<QString>();
    QTest::newRow("unreadable") << "[Accesso]\nValore=" + padded << 0 << std::optional<QString>();
}

void TestPasswordStore::readPassword()
{
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(std::optional<QString>, password);
    TempProgramFolder folder;
    openToAll(folder.path());
    const QString path = folder.file(PasswordStore::fileName());
    if (content != "-") {
        QVERIFY(writeAll(path, content));
        setMode(path, mode);
    }
    AsOrdinaryUser user;
    QCOMPARE(PasswordStore().readPassword(), password);
    QCOMPARE(QFileInfo::exists(path), content != "-"); // reading never creates the file
}

void TestPasswordStore::storePassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("stored"); // what a later read gives
    QTest::newRow("upper-cased and trimmed")
        << QString::fromUtf8("  nuova Parola è1 ") << int(StoreResult::Stored)
        << QString::fromUtf8("NUOVA PAROLA è1");
    QTest::newRow("one character") << "x" << int(StoreResult::Stored) << "X";
    QTest::newRow("255 characters") << QString(255, QLatin1Char('a')) << int(StoreResult::Stored)
                                    << QString(255, QLatin1Char('A'));
    QTest::newRow("256 characters")
        << QString(256, QLatin1Char('a')) << int(StoreResult::TooLong) << "VECCHIA";
    QTest::newRow("blanks do not count")
        << "  " + QString(255, QLatin1Char('a')) + "  " << int(StoreResult::Stored)
        << QString(255, QLatin1Char('A'));
    QTest::newRow("beyond U+00FF")
        << QString::fromUtf8("Łukasz") << int(StoreResult::NotStorable) << "VECCHIA";
}

void TestPasswordStore::storePassword()
{
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, stored);
    TempProgramFolder folder;
    const PasswordStore store;
    QCOMPARE(store.storePassword(QStringLiteral("vecchia")), StoreResult::Stored);
    QCOMPARE(int(store.storePassword(typed)), result);
    QCOMPARE(store.readPassword(), std::optional<QString>(stored));
    const QString value = *store.readValue(QStringLiteral("Accesso"), QStringLiteral("Valore"));
    QCOMPARE(value, *Encrypt(stored));
}

QTEST_MAIN(TestPasswordStore)
#include "tst_passwordstore.moc"
