// The check routines of the four code validators, against published codes and their edges.

#include "core/validators/cardcheck.h"
#include "core/validators/codfisccheck.h"
#include "core/validators/ibancheck.h"
#include "core/validators/partitaivacheck.h"

#include <QSet>
#include <QtTest/QtTest>

class TestValidators : public QObject {
    Q_OBJECT

private slots:
    void codFiscCheckChar_data();
    void codFiscCheckChar();
    void partitaIvaValid_data();
    void partitaIvaValid();
    void ivaOffices_data();
    void ivaOffices();
    void ivaOfficeTableShape();
    void cardCheck_data();
    void cardCheck();
    void cardBrand_data();
    void cardBrand();
    void ibanToDigits();
    void ibanMod97_data();
    void ibanMod97();
    void ibanValid_data();
    void ibanValid();
};

void TestValidators::codFiscCheckChar_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published example") << "RSSMRA85T10A562S" << true;
    QTest::newRow("second published example") << "MRTMTT25D09F205Z" << true;
    QTest::newRow("check character changed") << "RSSMRA85T10A562T" << false;
    QTest::newRow("a date digit changed") << "RSSMRA86T10A562S" << false;
    QTest::newRow("odd and even letters swapped") << "SRSMRA85T10A562S" << false;
    QTest::newRow("check character is a digit") << "RSSMRA85T10A5620" << false;
    QTest::newRow("codes 58 to 64 count 0") << "RSSMRA85T10A56:N" << true;
    QTest::newRow("all seven of codes 58 to 64") << "@;<=>?:00000000E" << true;
    // Each of these replaces an even-position A (worth 0): counting it as 0 would pass.
    QTest::newRow("lower-case letter") << "RSSMRA85T10a562S" << false;
    QTest::newRow("lower-case throughout") << "rssmra85t10a562s" << false;
    QTest::newRow("blank inside") << "RSSMRA85T10 562S" << false;
    QTest::newRow("accented letter") << QString::fromUtf8("RSSMRA85T10À562S") << false;
    QTest::newRow("above Z") << "RSSMRA85T10[562S" << false;
    QTest::newRow("below 0") << "RSSMRA85T10/562S" << false;
    QTest::newRow("above the BMP") << QString::fromUtf8("RSSMR😀5T10A562S") << false;
    QTest::newRow("15 characters") << "RSSMRA85T10A562" << false;
    QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << false;
    QTest::newRow("empty") << "" << false;
}

void TestValidators::codFiscCheckChar()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QCOMPARE(CodFiscCheckChar(code), valid);
}

void TestValidators::partitaIvaValid_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published, Torino") << "00488410010" << true;
    QTest::newRow("published, Modena") << "00159560366" << true;
    QTest::newRow("published, Roma 2") << "00905811006" << true;
    QTest::newRow("check digit changed") << "00488410011" << false;
    QTest::newRow("holder digit changed") << "00488420010" << false;
    QTest::newRow("two digits swapped") << "04088410010" << false;
    QTest::newRow("eleven zeros") << "00000000000" << true;
    QTest::newRow("letter") << "0048841001A" << false;
    QTest::newRow("blank inside") << "0048841 010" << false;
    QTest::newRow("ten digits") << "0048841001" << false;
    QTest::newRow("twelve digits") << "004884100100" << false;
    QTest::newRow("empty") << "" << false;
}

void TestValidators::partitaIvaValid()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(PartitaIvaValid(number), valid);
}

void TestValidators::ivaOffices_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("office");
    QTest::newRow("first") << "001"
                           << "Torino";
    QTest::newRow("accented") << "040" << QString::fromUtf8("Forlì");
    QTest::newRow("063") << "063"
                         << "Napoli 1";
    QTest::newRow("with brackets") << "096"
                                   << "Monza (Milano 2)";
    QTest::newRow("101") << "101"
                         << "Bologna 2";
    QTest::newRow("102") << "102"
                         << "Napoli 2";
    QTest::newRow("120 repeats 101") << "120"
                                     << "Bologna 2";
    QTest::newRow("121 repeats 102") << "121"
                                     << "Napoli 2";
    QTest::newRow("000 absent") << "000"
                                << "";
    QTest::newRow("103 absent") << "103"
                                << "";
    QTest::newRow("119 absent") << "119"
                                << "";
    QTest::newRow("122 absent") << "122"
                                << "";
    QTest::newRow("not three digits") << "63"
                                      << "";
}

void TestValidators::ivaOffices()
{
    QFETCH(QString, code);
    QFETCH(QString, office);
    QCOMPARE(ivaOfficeName(code), office);
}

void TestValidators::ivaOfficeTableShape()
{
    QSet<QString> codes;
    for (const IvaOffice& office : IvaOfficeTable()) {
        codes.insert(QString::fromLatin1(office.code));
        QVERIFY(!QString::fromUtf8(office.name).isEmpty());
    }
    QCOMPARE(IvaOfficeTable().size(), size_t(104));
    QCOMPARE(codes.size(), 104);
    for (int code = 1; code <= 102; ++code)
        QVERIFY2(codes.contains(QString::number(code).rightJustified(3, QLatin1Char('0'))),
                 qPrintable(QString::number(code)));
}

void TestValidators::cardCheck_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("cardClass");
    QTest::newRow("Visa test number") << "4111111111111111" << 2;
    QTest::newRow("Visa with blanks") << "4111 1111 1111 1111" << 2;
    QTest::newRow("Visa with dashes") << "4111-1111-1111-1111" << 2;
    QTest::newRow("Visa, one digit changed") << "4111111111111112" << 0;
    QTest::newRow("MasterCard") << "5555555555554444" << 3;
    QTest::newRow("American Express") << "378282246310005" << 1;
    QTest::newRow("Diners Club") << "30569309025904" << 1;
    QTest::newRow("JCB") << "3530111333300000" << 1;
    QTest::newRow("Discover") << "6011111111111117" << 4;
    QTest::newRow("first digit 2") << "2223003122003222" << 0;
    QTest::newRow("first digit 1") << "10000000000008" << -1;
    QTest::newRow("first digit 7") << "70000000000005" << 5;
    QTest::newRow("first digit 8") << "80000000000003" << 6;
    QTest::newRow("first digit 9") << "90000000000001" << 7;
    QTest::newRow("single 0") << "0" << -2;
    QTest::newRow("32 prefix") << "32000000000002" << 1;
    QTest::newRow("20 digits") << "41111111111111111115" << 2;
    // Counting the 21st digit would make the check fail.
    QTest::newRow("21st digit ignored") << "411111111111111111159" << 2;
    QTest::newRow("21st character ignored") << "4111 1111 1111 1111 1" << 2;
    QTest::newRow("character outside single bytes") << QString::fromUtf8("中4111111111111111") << 2;
    QTest::newRow("blanks only") << "   " << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestValidators::cardCheck()
{
    QFETCH(QString, number);
    QFETCH(int, cardClass);
    QCOMPARE(CardCheck(number), cardClass);
}

void TestValidators::cardBrand_data()
{
    QTest::addColumn<int>("cardClass");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("brand");
    const QString diners = QStringLiteral("Diner's Club / Carte Blanche");
    QTest::newRow("30") << 1 << "30569309025904" << diners;
    QTest::newRow("36") << 1 << "36227206271667" << diners;
    QTest::newRow("38") << 1 << "38520000023237" << diners;
    QTest::newRow("34") << 1 << "343434343434343"
                        << "American Express";
    QTest::newRow("37") << 1 << "378282246310005"
                        << "American Express";
    QTest::newRow("31") << 1 << "31"
                        << "JCB";
    QTest::newRow("33") << 1 << "33"
                        << "JCB";
    QTest::newRow("35") << 1 << "3530111333300000"
                        << "JCB";
    QTest::newRow("32 names none") << 1 << "32000000000002"
                                   << "";
    QTest::newRow("39 names none") << 1 << "39000000000005"
                                   << "";
    QTest::newRow("blank after the 3") << 1 << "3 0569309025904"
                                       << "";
    QTest::newRow("Visa") << 2 << "4111 1111 1111 1111"
                          << "Visa";
    QTest::newRow("MasterCard") << 3 << "5555555555554444"
                                << "MasterCard";
    QTest::newRow("Discover") << 4 << "6011111111111117"
                              << "Discover";
    QTest::newRow("class 0") << 0 << "4111111111111112"
                             << "";
    QTest::newRow("class 5") << 5 << "70000000000005"
                             << "";
    QTest::newRow("class -2") << -2 << "0"
                              << "";
}

void TestValidators::cardBrand()
{
    QFETCH(int, cardClass);
    QFETCH(QString, text);
    QFETCH(QString, brand);
    QCOMPARE(::cardBrand(cardClass, text), brand);
}

void TestValidators::ibanToDigits()
{
    QCOMPARE(IbanToDigits(QStringLiteral("IT60X")), QStringLiteral("18296033"));
    QCOMPARE(IbanToDigits(QStringLiteral("AZ")), QStringLiteral("1035"));
    QCOMPARE(IbanToDigits(QStringLiteral("it 60.")), QStringLiteral("it 60."));
    QCOMPARE(IbanToDigits(QString::fromUtf8("ÀÉ")), QString::fromUtf8("ÀÉ"));
    QCOMPARE(IbanToDigits(QString()), QString());
}

void TestValidators::ibanMod97_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("remainder");
    QTest::newRow("Italian example") << "IT60X0542811101000000123456" << 1;
    QTest::newRow("lower case") << "it60x0542811101000000123456" << 1;
    QTest::newRow("British example") << "GB82WEST12345698765432" << 1;
    QTest::newRow("German example") << "DE89370400440532013000" << 1;
    QTest::newRow("check digits changed") << "IT61X0542811101000000123456" << 2;
    QTest::newRow("last digit changed") << "IT60X0542811101000000123457" << 28;
    QTest::newRow("made-up account") << "IT02L1234512345123456789012" << 58;
    QTest::newRow("IBAN in front") << "IBANIT60X0542811101000000123456" << 1;
    QTest::newRow("iban in front, lower case") << "ibanIT60X0542811101000000123456" << 1;
    QTest::newRow("IBAN inside the account") << "IT60X05428IBAN11101000000123456" << 1;
    QTest::newRow("only the first IBAN goes") << "IBANIT60X05428IBAN11101000000123456" << 71;
    QTest::newRow("full stop") << "IT60X0542811101000000123.56" << 0;
    QTest::newRow("blank") << "IT60 X0542811101000000123456" << 0;
    QTest::newRow("accented letter") << QString::fromUtf8("ÌT60X0542811101000000123456") << 0;
    QTest::newRow("plus sign") << "+1" << 0;
    QTest::newRow("minus sign") << "-0001" << 0;
    QTest::newRow("shorter than four") << "96" << 96 % 97;
    QTest::newRow("empty") << "" << 0;
}

void TestValidators::ibanMod97()
{
    QFETCH(QString, text);
    QFETCH(int, remainder);
    QCOMPARE(IbanMod97(text), remainder);
}

void TestValidators::ibanValid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("Italian example") << "IT60X0542811101000000123456" << true;
    QTest::newRow("printed in groups") << "IT60 X054 2811 1010 0000 0123 456" << true;
    QTest::newRow("British, 27 with blanks") << "GB82 WEST 1234 5698 7654 32" << true;
    QTest::newRow("IBAN inside, 27 characters") << "IT77X0542IBAN81110100000012" << true;
    QTest::newRow("one digit changed") << "IT60X0542811101000000123457" << false;
    QTest::newRow("tab is not a blank") << "IT60\tX0542811101000000123456" << false;
    QTest::newRow("full stop") << "IT60X0542811101000000123.56" << false;
    QTest::newRow("empty") << "" << false;
}

void TestValidators::ibanValid()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IbanValid(text), valid);
}

QTEST_GUILESS_MAIN(TestValidators)
#include "tst_validators.moc"
