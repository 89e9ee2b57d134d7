// The units behind the lists of cards: the card line, the list order, the search filters and
// the two passes over Anagrafica.pro.

#include "search_support.h"

#include "core/registry/cardsearch.h"
#include "core/registry/listline.h"

#include "core/storage/text.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest/QtTest>

using F = AnagraficaField;

class TestCardLines : public QObject {
    Q_OBJECT

private slots:
    void listLine_data();
    void listLine();
    void listOrder();
    void compactLines();
    void compactSortIsTheTextOrder();
    void filters_data();
    void filters();
    void readingTheRegistry();
    void cardOfLine();
};

void TestCardLines::listLine_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<QString>("expected");
    const QString tel = QStringLiteral("  Tel. 0123 456789     ");
    const QString cf = QStringLiteral("  C.F. XXXYYY80A01H501Z");
    QTest::newRow("note as last column")
        << 1 << int(F::Note)
        << QStringLiteral("Bianchi Luca                  ") + tel + cf
               + QString::fromUtf8("  Città: Milano                      ")
               + QStringLiteral("  Pagamento a 60 giorni");
    QTest::newRow("pending issues as last column")
        << 0 << int(F::Questioni)
        << QStringLiteral("Rossi Mario                   ") + tel
               + QStringLiteral("  C.F. RSSMRA80A01H501U")
               + QString::fromUtf8("  Città: Roma                        ")
               + QStringLiteral("  Preventivo da richiamare");
    QTest::newRow("empty last column ends in the two blanks")
        << 2 << int(F::Questioni)
        << QStringLiteral("De Rossi Anna                 ") + tel + cf
               + QString::fromUtf8("  Città: Roma                        ") + QStringLiteral("  ");
    QTest::newRow("name longer than 30 is cut, the columns stay")
        << 6 << int(F::Note)
        << QStringLiteral("Abbondanzieri Bartolomeo Massi") + tel + cf
               + QString::fromUtf8("  Città: San Giovanni in Persiceto   ")
               + QStringLiteral("  Nome lungo");
}

void TestCardLines::listLine()
{
    QFETCH(int, card);
    QFETCH(int, lastColumn);
    QFETCH(QString, expected);
    const QString line = ListLine(fixtureRecord(fixtureCards().at(card)), F(lastColumn));
    QCOMPARE(line, expected);
    QCOMPARE(line.indexOf(QStringLiteral("  Tel. ")), 30);
    QCOMPARE(line.indexOf(QStringLiteral("  C.F. ")), 53);
    QCOMPARE(line.indexOf(QStringLiteral("  Citt")), 76);
    QCOMPARE(line.mid(kListLineFixedLength - 2, 2), QStringLiteral("  "));

    // A town longer than its column is cut too; the last column is never cut.
    AnagraficaRecord long_ = fixtureRecord(fixtureCards().at(card));
    long_.set(F::ComuneRes, QString(40, QLatin1Char('x')));
    long_.set(F::Note, QString(250, QLatin1Char('n')));
    const QString cut = ListLine(long_, F::Note);
    QCOMPARE(cut.size(), kListLineFixedLength + 250);
    QCOMPARE(cut.mid(85, 30), QString(28, QLatin1Char('x')) + QStringLiteral("  "));
}

void TestCardLines::listOrder()
{
    // Letters a to z without case, everything else by its code: the accented capital and the
    // underscore come after Z, the blank before any letter, and lines equal but for case keep
    // their order.
    QStringList lines = {
        QStringLiteral("verdi Paola"),   QString::fromUtf8("Èboli Piero"),
        QStringLiteral("Rossini Carla"), QStringLiteral("rossi mario"),
        QStringLiteral("Rossi Mario"),   QStringLiteral("De Rossi Anna"),
        QStringLiteral("Zeta"),          QStringLiteral("Rossi_"),
    };
    sortListLines(lines);
    QCOMPARE(lines, (QStringList{QStringLiteral("De Rossi Anna"), QStringLiteral("rossi mario"),
                                 QStringLiteral("Rossi Mario"), QStringLiteral("Rossini Carla"),
                                 QStringLiteral("Rossi_"), QStringLiteral("verdi Paola"),
                                 QStringLiteral("Zeta"), QString::fromUtf8("Èboli Piero")}));
    QVERIFY(listLineLess(QStringLiteral("abc"), QStringLiteral("ABD")));
    QVERIFY(!listLineLess(QStringLiteral("ABC"), QStringLiteral("abc")));
}

void TestCardLines::compactLines()
{
    // The lines a long list keeps compactly read back as the card lines, in the same order as
    // the lines sorted as texts: the fixture, cards whose bytes are not what a save writes (a
    // length byte past the capacity, control characters around a value, bytes 0x80 to 0xFF),
    // surnames of 29 and 30 characters, and an empty card.
    QList<AnagraficaRecord> cards;
    for (const FixtureCard& c : fixtureCards())
        cards.append(fixtureRecord(c));
    QByteArray odd = fixtureRecord(fixtureCards().at(1)).bytes();
    const AnagraficaFieldInfo& surname = AnagraficaRecord::info(F::Cognome);
    odd[surname.offset] = char(200);
    odd[surname.offset + 1] = '\t';
    const AnagraficaFieldInfo& town = AnagraficaRecord::info(F::ComuneRes);
    odd[town.offset] = 4;
    odd.replace(town.offset + 1, 4, QByteArray("\x80\x81\x9f\xff"));
    cards.append(AnagraficaRecord(odd));
    AnagraficaRecord edge = fixtureRecord(fixtureCards().at(0));
    edge.set(F::Cognome, QString(29, QLatin1Char('c')));
    cards.append(edge);
    edge.set(F::Cognome, QString(30, QLatin1Char('C')));
    cards.append(edge);
    edge.set(F::Cognome, QString::fromUtf8("  \u00e0lvaro  "));
    cards.append(edge);
    cards.append(AnagraficaRecord());

    for (F last : {F::Note, F::Questioni}) {
        CardLineList compact;
        QStringList texts;
        for (const AnagraficaRecord& card : cards) {
            compact.appendCard(card, last);
            texts.append(ListLine(card, last));
        }
        QCOMPARE(compact.size(), cards.size());
        QCOMPARE(compact.toList(), texts);
        compact.sort();
        sortListLines(texts);
        QCOMPARE(compact.toList(), texts);
        QCOMPARE(compact.at(compact.size()), QString());
    }
}

void TestCardLines::compactSortIsTheTextOrder()
{
    // Lines of any length (none, shorter than the 40 bytes compared in one go, longer), over
    // the bytes where the order turns (around a, z, A and Z, the blank, bytes of 128 and over),
    // many of them equal but for small and capital letters: the compact sort gives the order of
    // the sort of texts, equal lines in the order they came, also for lines added after a sort,
    // and for a list long enough to be sorted on two threads.
    const QByteArray alphabet("aAbzZ`{@[ 0\x80\xc0\xe0\xff", 15);
    QRandomGenerator random(20261210);
    auto randomLine = [&] {
        std::string line;
        const int length = random.bounded(3) == 0 ? random.bounded(8) : 30 + random.bounded(20);
        for (int k = 0; k < length; ++k)
            line += alphabet.at(random.bounded(alphabet.size()));
        return line;
    };
    CardLineList compact;
    auto add = [&](int n) {
        for (int i = 0; i < n; ++i) {
            const std::string line = randomLine();
            compact.appendWith([&](std::string& out) { out += line; });
        }
    };
    add(4000);
    QStringList texts = compact.toList();
    compact.sort();
    sortListLines(texts);
    QCOMPARE(compact.toList(), texts);

    add(20000);
    for (qsizetype i = texts.size(); i < compact.size(); ++i)
        texts.append(compact.at(i));
    QCOMPARE(compact.toList(), texts);
    compact.sort();
    sortListLines(texts);
    QCOMPARE(compact.toList(), texts);
}

void TestCardLines::filters_data()
{
    QTest::addColumn<QList<int>>("fields");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("names"); // surnames of the accepted cards, in file order

    auto row = [](const char* name, QList<int> fields, QStringList texts, QStringList names) {
        QTest::newRow(name) << fields << texts << names;
    };
    const QStringList all = {QStringLiteral("Rossi"),
                             QStringLiteral("Bianchi"),
                             QStringLiteral("De Rossi"),
                             QStringLiteral("Rossini"),
                             QString::fromUtf8("Èboli"),
                             QStringLiteral("verdi"),
                             QStringLiteral("Abbondanzieri Bartolomeo"),
                             QStringLiteral("Neri"),
                             QStringLiteral("Neri")};
    row("no filter", {}, {}, all);
    row("blanks only are no filter", {int(F::Cognome), int(F::Note)}, {"   ", " "}, all);
    row("substring", {int(F::Cognome)}, {"ross"}, {"Rossi", "De Rossi", "Rossini"});
    row("capitals A to Z", {int(F::Cognome)}, {"ROSS"}, {"Rossi", "De Rossi", "Rossini"});
    row("trailing blank kept", {int(F::Cognome)}, {"ross "}, {});
    row("blank inside the words", {int(F::Cognome)}, {"de ross"}, {"De Rossi"});
    row("two filters AND", {int(F::Cognome), int(F::ComuneRes)}, {"ross", "roma"},
        {"Rossi", "De Rossi"});
    row("a blank filter cannot stand in for a missing match", {int(F::Cognome), int(F::Ditta)},
        {"ross", " "}, {"Rossi", "De Rossi", "Rossini"});
    row("accented capital not found by small letter", {int(F::Cognome)}, {QString::fromUtf8("è")},
        {});
    row("accented capital found as typed", {int(F::Cognome)}, {QString::fromUtf8("È")},
        {QString::fromUtf8("Èboli")});
    // Each filter looks in its own field only.
    row("Ditta", {int(F::Ditta)}, {"trasporti"}, {"Bianchi"});
    row("PartitaIva", {int(F::PartitaIva)}, {"4567"}, {"Bianchi"});
    row("CodFisc", {int(F::CodFisc)}, {"rssmra"}, {"Rossi"});
    row("TelCel", {int(F::TelCel)}, {"347 111"}, {"Bianchi"});
    row("Conducente", {int(F::Conducente)}, {"magazz"}, {"Rossi"});
    row("CodiceDest", {int(F::CodiceDest)}, {"krrh"}, {"Bianchi"});
    row("Questioni", {int(F::Questioni)}, {"scadenza"}, {"verdi"});
    row("Note", {int(F::Note)}, {"storico"}, {"Rossi"});
    row("no match", {int(F::Note)}, {"assente"}, {});
}

void TestCardLines::filters()
{
    QFETCH(QList<int>, fields);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, names);
    CardFilters wanted;
    for (int i = 0; i < fields.size(); ++i)
        wanted.add(F(fields[i]), texts[i]);
    QStringList accepted;
    for (const FixtureCard& card : fixtureCards()) {
        if (wanted.accepts(fixtureRecord(card)))
            accepted.append(QString::fromUtf8(card.cognome));
    }
    QCOMPARE(accepted, names);
}

void TestCardLines::readingTheRegistry()
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Anagrafica.pro"));

    // A missing registry is created empty and lists nothing.
    CardLines none = readCardLines(F::Note, [](const AnagraficaRecord&) { return true; });
    QVERIFY(none.ok);
    QVERIFY(none.lines.isEmpty());
    QCOMPARE(QFileInfo(path).size(), 0);

    // A trailing part shorter than a card is not a card.
    QVERIFY(writeAll(path, fixtureRegistry() + QByteArray(100, 'x')));
    CardLines some = readCardLines(F::Questioni, [](const AnagraficaRecord& r) {
        return r.get(F::ComuneRes) == QLatin1String("Roma");
    });
    QVERIFY(some.ok);
    QCOMPARE(namesOf(some.lines.toList()), (QStringList{"Rossi Mario", "De Rossi Anna"}));
    QVERIFY(some.lines.at(0).endsWith(QStringLiteral("  Preventivo da richiamare")));

    // A registry that cannot be opened is reported.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(!readCardLines(F::Note, [](const AnagraficaRecord&) { return true; }).ok);
}

void TestCardLines::cardOfLine()
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Anagrafica.pro"));
    QVERIFY(writeAll(path, fixtureRegistry()));
    const QList<FixtureCard>& cards = fixtureCards();

    // The line as the list shows it, with blanks around it or without: the card is found.
    const QString rossini = ListLine(fixtureRecord(cards.at(3)), F::Note);
    for (const QString& line :
         {rossini, QStringLiteral("  ") + rossini + QStringLiteral(" "), rossini.trimmed()}) {
        const CardOfLine found = findCardOfLine(line, F::Note);
        QVERIFY(found.ok);
        QCOMPARE(found.index, 3);
        QCOMPARE(found.record.get(F::Email), QStringLiteral("carla@rossini.it"));
    }
    // Two cards with the same line: the later one in the file.
    const CardOfLine neri =
        findCardOfLine(ListLine(fixtureRecord(cards.at(7)), F::Questioni), F::Questioni);
    QCOMPARE(neri.index, 8);
    QCOMPARE(neri.record.get(F::Email), QStringLiteral("secondo@neri.it"));
    // The last column must be the one the line was built with; case counts.
    const QString rossi = ListLine(fixtureRecord(cards.at(0)), F::Note);
    QCOMPARE(findCardOfLine(rossi, F::Note).index, 0);
    QCOMPARE(findCardOfLine(rossi, F::Questioni).index, -1);
    QCOMPARE(findCardOfLine(upperAZ(rossini), F::Note).index, -1);

    // A character the registry cannot store is in no card's line, not even in one that holds
    // the "?" it would be stored as.
    AnagraficaRecord asked = fixtureRecord(cards.at(0));
    asked.set(F::Cognome, QStringLiteral("Ross?"));
    QVERIFY(writeAll(path, cardsFile({asked})));
    const QString stored = ListLine(asked, F::Note);
    QCOMPARE(findCardOfLine(stored, F::Note).index, 0);
    QCOMPARE(
        findCardOfLine(QString(stored).replace(QLatin1Char('?'), QChar(0x0100)), F::Note).index,
        -1);

    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    const CardOfLine failed = findCardOfLine(rossini, F::Note);
    QVERIFY(!failed.ok);
    QCOMPARE(failed.index, -1);
}

QTEST_MAIN(TestCardLines)
#include "tst_cardlines.moc"
