// The "Trova" find-next search over a list's texts.

#include "core/base/findinlist.h"

#include <QtTest/QtTest>

class TestFindInList : public QObject {
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void walkWrapsAndKeyChangeRestarts();
};

namespace {
const QStringList kItems = {
    QStringLiteral("01 gennaio     Riunione con il fornitore"),
    QStringLiteral("15 gennaio     Inventario"),
    QStringLiteral("29 febbraio    Riunione di reparto"),
    QString::fromUtf8("03 marzo       Attività É speciale"),
    QStringLiteral("04 marzo       ore 8 inventario"),
};
} // namespace

void TestFindInList::search_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("lastKey");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("selection");
    QTest::addColumn<QString>("lastKeyAfter");

    const int found = FindInListResult::Found;
    const int notFound = FindInListResult::NotFound;
    const int empty = FindInListResult::EmptyList;
    QTest::newRow("empty list keeps the last key") << QStringList() << -1 << "x"
                                                   << "old" << empty << -1 << "old";
    QTest::newRow("capitals find the date column") << kItems << 3 << "GENNAIO"
                                                   << "" << found << 0 << "gennaio";
    QTest::newRow("new key starts at the first item") << kItems << 4 << "riunione"
                                                      << "" << found << 0 << "riunione";
    QTest::newRow("same key goes on after the selection") << kItems << 0 << "Riunione"
                                                          << "riunione" << found << 2 << "riunione";
    QTest::newRow("same key wraps to the first") << kItems << 4 << "riunione"
                                                 << "riunione" << found << 0 << "riunione";
    QTest::newRow("new key finds the first match after skipped items")
        << kItems << 4 << "inventario"
        << "x" << found << 1 << "inventario";
    QTest::newRow("only the selected item matches: it stays")
        << kItems << 0 << "fornitore"
        << "fornitore" << found << 0 << "fornitore";
    QTest::newRow("accented capital is not an accented small letter")
        << kItems << 0 << QString::fromUtf8("é") << "" << notFound << 0 << QString::fromUtf8("é");
    QTest::newRow("exact accented capital")
        << kItems << 0 << QString::fromUtf8("É") << "" << found << 3 << QString::fromUtf8("É");
    QTest::newRow("trailing blank must be in the item") << kItems << -1 << "inventario "
                                                        << "" << notFound << 0 << "inventario ";
    QTest::newRow("no selection selects the first") << kItems << -1 << "zzz"
                                                    << "" << notFound << 0 << "zzz";
    QTest::newRow("empty key never matches") << kItems << 2 << ""
                                             << "x" << notFound << 2 << "";
}

void TestFindInList::search()
{
    QFETCH(QStringList, items);
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(QString, lastKey);
    QFETCH(int, outcome);
    QFETCH(int, selection);
    QFETCH(QString, lastKeyAfter);
    const FindInListResult result = FindInList(items, selected, typed, lastKey);
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.selection, selection);
    QCOMPARE(lastKey, lastKeyAfter);
}

void TestFindInList::walkWrapsAndKeyChangeRestarts()
{
    QString lastKey;
    int selected = -1;
    QList<int> walk;
    for (int click = 0; click < 4; ++click) {
        selected = FindInList(kItems, selected, QStringLiteral("inventario"), lastKey).selection;
        walk << selected;
    }
    QCOMPARE(walk, (QList<int>{1, 4, 1, 4}));
    // A different key starts over from the first item, whatever is selected.
    QCOMPARE(FindInList(kItems, selected, QStringLiteral("riunione"), lastKey).selection, 0);
}

QTEST_MAIN(TestFindInList)
#include "tst_findinlist.moc"
