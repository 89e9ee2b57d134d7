// The four green ticks of the registry card screen open their check dialogs with the card's
// trimmed value, modally, owned by the card screen, and leave the card as it was.

#include "registry/cardscreen_support.h"
#include "ui/decor.h"
#include "validators/validatordialog.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

using F = AnagraficaField;

namespace {

// What a check dialog looked like while it was open.
struct SeenDialog {
    bool seen = false;
    QString className;
    QString fieldName;
    QString input;
    bool modal = false;
    QWidget* owner = nullptr;
    QPointer<QWidget> dialog;
};

// Clicks a tick of the card screen; while its dialog is open, notes what it shows and then
// presses one of its buttons.
SeenDialog clickTick(TfrmClienti* screen, const QString& tick, const char* dialogButton)
{
    SeenDialog result;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ValidatorDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        result.seen = true;
        result.className = QString::fromLatin1(dialog->metaObject()->className());
        result.fieldName = soleControl<QLineEdit>(dialog)->objectName();
        result.input = soleControl<QLineEdit>(dialog)->text();
        result.modal = dialog->isModal();
        result.owner = dialog->parentWidget();
        result.dialog = dialog;
        dialog->findChild<QPushButton*>(QLatin1String(dialogButton))->click();
    });
    auto* button = screen->findChild<Picture*>(tick);
    if (button)
        button->click();
    return result;
}

} // namespace

class TestCardChecks : public QObject {
    Q_OBJECT

private slots:
    void ticksOpenTheirDialogs_data();
    void ticksOpenTheirDialogs();
    void verdictThroughTheCard();
    void longDigitsOnlyCodeIsCheckedWhole_data();
    void longDigitsOnlyCodeIsCheckedWhole();
};

void TestCardChecks::ticksOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("tick");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("preset");
    QTest::newRow("codice fiscale") << "btnCodFisc" << int(F::CodFisc) << "RSSMRA85T10A562S"
                                    << "TfrmCodFisc"
                                    << "txtCodFisc"
                                    << "RSSMRA85T10A562S";
    QTest::newRow("empty codice fiscale") << "btnCodFisc" << int(F::CodFisc) << ""
                                          << "TfrmCodFisc"
                                          << "txtCodFisc"
                                          << "";
    QTest::newRow("blank between digits") << "btnCodFisc" << int(F::CodFisc) << "0048 8410010"
                                          << "TfrmCodFisc"
                                          << "txtCodFisc"
                                          << "0048 8410010";
    QTest::newRow("digits-only codice fiscale") << "btnCodFisc" << int(F::CodFisc) << "00488410010 "
                                                << "TfrmPartitaIva"
                                                << "txtPartitaIva"
                                                << "00488410010";
    QTest::newRow("partita IVA") << "btnPartitaIva" << int(F::PartitaIva) << "00905811006"
                                 << "TfrmPartitaIva"
                                 << "txtPartitaIva"
                                 << "00905811006";
    QTest::newRow("card number") << "btnCarta" << int(F::Carta) << " 4111 1111 1111 1111 "
                                 << "TfrmCarta"
                                 << "txtNumero"
                                 << "4111 1111 1111 1111";
    QTest::newRow("IBAN") << "btnIban" << int(F::Iban) << "IT60X0542811101000000123456"
                          << "TfrmIban"
                          << "txtIban"
                          << "IT60X0542811101000000123456";
}

void TestCardChecks::ticksOpenTheirDialogs()
{
    QFETCH(QString, tick);
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, dialog);
    QFETCH(QString, input);
    QFETCH(QString, preset);

    CardScreen card;
    card.set(F(field), value);
    const SeenDialog seen = clickTick(card.screen.get(), tick, "btnChiudi");
    QVERIFY(seen.seen);
    QCOMPARE(seen.className, dialog);
    QCOMPARE(seen.fieldName, input);
    QCOMPARE(seen.input, preset);
    QVERIFY(seen.modal);
    QCOMPARE(seen.owner, card.screen.get());
    QVERIFY(seen.dialog.isNull()); // destroyed once closed
    QCOMPARE(card.text(F(field)), value);
    QCOMPARE(card.messages.count(), 0);
}

void TestCardChecks::verdictThroughTheCard()
{
    CardScreen card;
    card.set(F::CodFisc, QStringLiteral("12345671205"));
    const SeenDialog seen =
        clickTick(card.screen.get(), QStringLiteral("btnCodFisc"), "btnControlla");
    QVERIFY(seen.seen);
    QCOMPARE(card.messages.count(), 1);
    QCOMPARE(card.messages.last().kind, MessageKind::Information);
    QVERIFY(card.messages.last().text.endsWith(QStringLiteral("Comune di Bologna 2.")));
    QVERIFY(seen.dialog.isNull());
    QCOMPARE(card.text(F::CodFisc), QStringLiteral("12345671205"));
}

void TestCardChecks::longDigitsOnlyCodeIsCheckedWhole_data()
{
    QTest::addColumn<QString>("code");
    // Its first eleven digits, 12345678903, are a valid partita IVA.
    QTest::newRow("12 digits") << "123456789031";
    QTest::newRow("16 digits") << "1234567890312345";
}

// A digits-only codice fiscale longer than a partita IVA reaches the partita IVA check whole:
// "Controlla" gives the length warning and keeps the dialog open, never a verdict on the
// first eleven digits.
void TestCardChecks::longDigitsOnlyCodeIsCheckedWhole()
{
    QFETCH(QString, code);
    CardScreen card;
    card.set(F::CodFisc, code);
    QString shown;
    bool openAfterCheck = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ValidatorDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown = soleControl<QLineEdit>(dialog)->text();
        QTest::mouseClick(named<QPushButton>(dialog, "btnControlla"), Qt::LeftButton);
        openAfterCheck = dialog->isVisible();
        QTest::mouseClick(named<QPushButton>(dialog, "btnChiudi"), Qt::LeftButton);
    });
    QTest::mouseClick(card.screen->findChild<Picture*>(QStringLiteral("btnCodFisc")),
                      Qt::LeftButton);
    QCOMPARE(shown, code);
    QVERIFY(openAfterCheck);
    QCOMPARE(card.messages.count(), 1);
    QCOMPARE(card.messages.last().kind, MessageKind::Warning);
    QCOMPARE(card.messages.last().text,
             QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                            "numerici."));
    QCOMPARE(card.text(F::CodFisc), code);
}

QTEST_MAIN(TestCardChecks)
#include "tst_cardchecks.moc"
