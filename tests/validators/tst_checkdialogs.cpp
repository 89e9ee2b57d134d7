// The four check dialogs, driven through their controls as a user drives them.

#include "common/pastesupport.h"
#include "common/testsupport.h"
#include "ui/decor.h"
#include "ui/messages.h"
#include "validators/frmcarta.h"
#include "validators/frmcodfisc.h"
#include "validators/frmiban.h"
#include "validators/frmpartitaiva.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include <memory>

namespace {

std::unique_ptr<ValidatorDialog> makeDialog(const QString& kind)
{
    if (kind == QLatin1String("codfisc"))
        return std::make_unique<TfrmCodFisc>();
    if (kind == QLatin1String("piva"))
        return std::make_unique<TfrmPartitaIva>();
    if (kind == QLatin1String("carta"))
        return std::make_unique<TfrmCarta>();
    return std::make_unique<TfrmIban>();
}

// Shown and active, so that focus and keys behave as on a desktop.
void showActive(QWidget* dialog)
{
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
}

const QString wrongCard = QStringLiteral(
    "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon \u00e8 quindi possibile fornire "
    "informazioni relative al tipo di carta di credito.");

QString pivaValid(const QString& office)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato "
                          "rilasciato dall'Ufficio IVA del Comune di ")
           + office + QLatin1Char('.');
}

QString cardValid(const QString& number, const QString& brand)
{
    return QStringLiteral("Il numero di carta di credito ") + number
           + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito \u00e8 del tipo ") + brand
           + QLatin1Char('.');
}

} // namespace

class TestCheckDialogs : public QObject {
    Q_OBJECT

private slots:
    void frame_data();
    void frame();
    void verdicts_data();
    void verdicts();
    void typing_data();
    void typing();
    void enterLeadsToControlla();
    void pastedCodes_data();
    void pastedCodes();
    void lengthWarningGivesFieldBackFocus();
    void chiudiClosesWithoutMessage();
};

void TestCheckDialogs::frame_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("codfisc") << "codfisc"
                             << " Controllo codice fiscale" << QSize(478, 254) << "txtCodFisc"
                             << 16;
    QTest::newRow("piva") << "piva"
                          << " Controllo partita IVA" << QSize(480, 254) << "txtPartitaIva" << 11;
    QTest::newRow("carta") << "carta"
                           << " Controllo carta di credito" << QSize(519, 254) << "txtNumero" << 30;
    QTest::newRow("iban") << "iban"
                          << " Controllo IBAN" << QSize(608, 270) << "txtIban" << 27;
}

void TestCheckDialogs::frame()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QString, field);
    QFETCH(int, maxLength);
    auto dialog = makeDialog(kind);
    QCOMPARE(dialog->windowTitle(), caption);
    QCOMPARE(dialog->size(), size);
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(!(dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
    auto* edit = dialog->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    QCOMPARE(dialog->findChildren<QLineEdit*>(), QList<QLineEdit*>{edit});
    QCOMPARE(edit->maxLength(), maxLength);
    QVERIFY(QFile::exists(named<Picture>(dialog.get(), "imgLogo")->svgPath()));
    for (const char* name :
         {"shpContainer", "imgLogo", "lblTitolo", "shpCodFisc", "btnControlla", "btnChiudi"})
        QVERIFY2(dialog->findChild<QWidget*>(QLatin1String(name)), name);
    // Tab order: the field, then "Controlla", then "Chiudi".
    QCOMPARE(edit->nextInFocusChain(), named<QPushButton>(dialog.get(), "btnControlla"));
    QCOMPARE(named<QPushButton>(dialog.get(), "btnControlla")->nextInFocusChain(),
             named<QPushButton>(dialog.get(), "btnChiudi"));

    // A fresh dialog starts empty: one with nothing preset is used on its own.
    QVERIFY(edit->text().isEmpty());
}

void TestCheckDialogs::verdicts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("messageKind"); // -1: no message at all
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("staysOpen");

    const int warning = int(MessageKind::Warning);
    const int information = int(MessageKind::Information);

    const QString cfValid = QStringLiteral("Il codice fiscale digitato \u00e8 VALIDO.");
    const QString cfWrong = QStringLiteral("Attenzione: il codice fiscale digitato \u00e8 ERRATO.");
    const QString cfLength = QStringLiteral(
        "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
    QTest::newRow("cf valid") << "codfisc"
                              << "RSSMRA85T10A562S" << information << cfValid << false;
    QTest::newRow("cf preset in lower case")
        << "codfisc"
        << "rssmra85t10a562s" << information << cfValid << false;
    QTest::newRow("cf codes 58 to 64") << "codfisc"
                                       << "RSSMRA85T10A56:N" << information << cfValid << false;
    QTest::newRow("cf wrong check") << "codfisc"
                                    << "RSSMRA85T10A562T" << warning << cfWrong << false;
    QTest::newRow("cf digit as check") << "codfisc"
                                       << "RSSMRA85T10A5620" << warning << cfWrong << false;
    QTest::newRow("cf blank inside") << "codfisc"
                                     << "RSSMRA85T10 562S" << warning << cfWrong << false;
    QTest::newRow("cf 15 characters") << "codfisc"
                                      << "RSSMRA85T10A562" << warning << cfLength << true;
    QTest::newRow("cf empty") << "codfisc"
                              << "" << warning << cfLength << true;

    const QString pivaWrong = QStringLiteral(
        "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00e8 quindi "
        "possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
    const QString pivaLength =
        QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
    QTest::newRow("piva Torino") << "piva"
                                 << "00488410010" << information
                                 << pivaValid(QStringLiteral("Torino")) << false;
    QTest::newRow("piva 063") << "piva"
                              << "12345670637" << information
                              << pivaValid(QStringLiteral("Napoli 1")) << false;
    QTest::newRow("piva 120") << "piva"
                              << "12345671205" << information
                              << pivaValid(QStringLiteral("Bologna 2")) << false;
    QTest::newRow("piva absent office")
        << "piva"
        << "12345671031" << information << pivaValid(QString()) << false;
    QTest::newRow("piva eleven zeros")
        << "piva"
        << "00000000000" << information << pivaValid(QString()) << false;
    QTest::newRow("piva wrong check") << "piva"
                                      << "00488410011" << warning << pivaWrong << false;
    QTest::newRow("piva letter in 11") << "piva"
                                       << "0048841001a" << warning << pivaWrong << false;
    QTest::newRow("piva ten digits") << "piva"
                                     << "0048841001" << warning << pivaLength << true;
    QTest::newRow("piva empty") << "piva"
                                << "" << warning << pivaLength << true;

    const QString cardEmpty = QStringLiteral(
        "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di "
        "controllo.");
    QTest::newRow("card Visa") << "carta"
                               << "4111111111111111" << information
                               << cardValid("4111111111111111", "Visa") << false;
    QTest::newRow("card Visa in groups") << "carta"
                                         << " 4111 1111 1111 1111 " << information
                                         << cardValid("4111 1111 1111 1111", "Visa") << false;
    QTest::newRow("card 21st digit") << "carta"
                                     << "4111 1111 1111 1111 1" << information
                                     << cardValid("4111 1111 1111 1111 1", "Visa") << false;
    QTest::newRow("card MasterCard") << "carta"
                                     << "5555555555554444" << information
                                     << cardValid("5555555555554444", "MasterCard") << false;
    QTest::newRow("card Discover")
        << "carta"
        << "6011111111111117" << information << cardValid("6011111111111117", "Discover") << false;
    QTest::newRow("card American Express")
        << "carta"
        << "378282246310005" << information << cardValid("378282246310005", "American Express")
        << false;
    QTest::newRow("card Diners") << "carta"
                                 << "30569309025904" << information
                                 << cardValid("30569309025904", "Diner's Club / Carte Blanche")
                                 << false;
    QTest::newRow("card JCB") << "carta"
                              << "3530111333300000" << information
                              << cardValid("3530111333300000", "JCB") << false;
    QTest::newRow("card 32 says nothing") << "carta"
                                          << "32000000000002" << -1 << "" << false;
    QTest::newRow("card wrong check") << "carta"
                                      << "4111111111111112" << warning << wrongCard << false;
    QTest::newRow("card first digit 2") << "carta"
                                        << "2223003122003222" << warning << wrongCard << false;
    QTest::newRow("card first digit 7") << "carta"
                                        << "70000000000005" << warning << wrongCard << false;
    QTest::newRow("card single 0") << "carta"
                                   << "0" << warning << wrongCard << false;
    QTest::newRow("card blanks only") << "carta"
                                      << "   " << warning << cardEmpty << true;
    QTest::newRow("card empty") << "carta"
                                << "" << warning << cardEmpty << true;

    const QString ibanValid = QStringLiteral("L'IBAN digitato \u00e8 VALIDO.");
    const QString ibanWrong = QStringLiteral("Attenzione: l'IBAN digitato \u00e8 ERRATO!");
    const QString ibanLength =
        QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
    QTest::newRow("iban valid") << "iban"
                                << "IT60X0542811101000000123456" << information << ibanValid
                                << false;
    QTest::newRow("iban lower case")
        << "iban"
        << "it60x0542811101000000123456" << information << ibanValid << false;
    QTest::newRow("iban 27 with blanks")
        << "iban"
        << "GB82 WEST 1234 5698 7654 32" << information << ibanValid << false;
    QTest::newRow("iban with IBAN inside")
        << "iban"
        << "IT77X0542IBAN81110100000012" << information << ibanValid << false;
    QTest::newRow("iban wrong") << "iban"
                                << "IT60X0542811101000000123457" << warning << ibanWrong << false;
    QTest::newRow("iban full stop")
        << "iban"
        << "IT60X0542811101000000123.56" << warning << ibanWrong << false;
    QTest::newRow("iban shorter country")
        << "iban"
        << "GB82WEST12345698765432" << warning << ibanLength << true;
    QTest::newRow("iban blank at the end")
        << "iban"
        << "IT60X054281110100000012345 " << warning << ibanLength << true;
    QTest::newRow("iban empty") << "iban"
                                << "" << warning << ibanLength << true;
}

void TestCheckDialogs::verdicts()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(int, messageKind);
    QFETCH(QString, text);
    QFETCH(bool, staysOpen);

    MessageRecorder recorder;
    auto dialog = makeDialog(kind);
    soleControl<QLineEdit>(dialog.get())->setText(input);
    dialog->show();
    bool openWhileShown = false;
    recorder.onShow([&](const ShownMessage&) { openWhileShown = dialog->isVisible(); });
    named<QPushButton>(dialog.get(), "btnControlla")->click();

    if (messageKind < 0) {
        QCOMPARE(recorder.count(), 0);
    } else {
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(int(recorder.last().kind), messageKind);
        QCOMPARE(recorder.last().text, text);
        QVERIFY(openWhileShown);
    }
    QCOMPARE(dialog->isVisible(), staysOpen);
    // The dialog only reports: the field keeps what was checked.
    QCOMPARE(soleControl<QLineEdit>(dialog.get())->text(), input);
}

void TestCheckDialogs::typing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("cf upper-cased while typing") << "codfisc"
                                                 << ""
                                                 << "rssmra85t10a562s"
                                                 << "RSSMRA85T10A562S";
    QTest::newRow("cf blanks trimmed while typing") << "codfisc"
                                                    << ""
                                                    << " rss "
                                                    << "RSS";
    QTest::newRow("cf takes 16 at most") << "codfisc"
                                         << ""
                                         << "RSSMRA85T10A562SXYZ"
                                         << "RSSMRA85T10A562S";
    QTest::newRow("cf symbols pass") << "codfisc"
                                     << ""
                                     << ":@?"
                                     << ":@?";
    QTest::newRow("piva digits only") << "piva"
                                      << ""
                                      << "12a3-4 5.6"
                                      << "123456";
    QTest::newRow("piva takes 11 at most") << "piva"
                                           << ""
                                           << "1234567890123"
                                           << "12345678901";
    QTest::newRow("piva keeps a preset letter") << "piva"
                                                << "0048841001a"
                                                << ""
                                                << "0048841001a";
    QTest::newRow("card digits only") << "carta"
                                      << ""
                                      << "4111 1111-x1"
                                      << "411111111";
    QTest::newRow("card preset tidied on key release") << "carta"
                                                       << " 4111 1111 "
                                                       << "2"
                                                       << "4111 11112";
    QTest::newRow("card takes 30 at most")
        << "carta"
        << "" << QString(35, QLatin1Char('4')) << QString(30, QLatin1Char('4'));
    // A blank typed at the end is gone when its key is released.
    QTest::newRow("iban upper-cased on key release") << "iban"
                                                     << ""
                                                     << "it60 x054"
                                                     << "IT60X054";
    QTest::newRow("iban preset tidied on key release") << "iban"
                                                       << "  it60 "
                                                       << "x"
                                                       << "IT60X";
    QTest::newRow("iban takes 27 at most")
        << "iban"
        << "" << QString(30, QLatin1Char('1')) << QString(27, QLatin1Char('1'));
}

void TestCheckDialogs::typing()
{
    QFETCH(QString, kind);
    QFETCH(QString, preset);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    auto dialog = makeDialog(kind);
    QLineEdit* field = soleControl<QLineEdit>(dialog.get());
    field->setText(preset);
    showActive(dialog.get());
    QCOMPARE(QApplication::focusWidget(), field);
    // The field comes up with its text selected; Right moves behind it.
    QCOMPARE(field->selectedText(), preset);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), result);
}

void TestCheckDialogs::enterLeadsToControlla()
{
    for (const QString kind : {"codfisc", "piva", "carta", "iban"}) {
        MessageRecorder recorder;
        auto dialog = makeDialog(kind);
        showActive(dialog.get());
        QLineEdit* field = soleControl<QLineEdit>(dialog.get());
        // Every field, digits-only ones included, lets the editing keys through.
        QTest::keyClicks(field, QStringLiteral("123"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClicks(field, QStringLiteral("4"));
        QCOMPARE(field->text(), QStringLiteral("413"));

        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), named<QPushButton>(dialog.get(), "btnControlla"));
        QCOMPARE(recorder.count(), 0);
        QCOMPARE(field->text(), QStringLiteral("413"));
        // Enter on the focused button presses it: a length warning that keeps the dialog
        // open, except for the card, whose short number is simply wrong.
        QTest::keyClick(named<QPushButton>(dialog.get(), "btnControlla"), Qt::Key_Return);
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.last().kind, MessageKind::Warning);
        QCOMPARE(dialog->isVisible(), kind != QLatin1String("carta"));
    }
}

void TestCheckDialogs::pastedCodes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<MessageKind>("verdict");
    // Printed with blanks, copied from a statement or a mail: nothing is cut, so the check
    // sees the whole code.
    QTest::newRow("IBAN in groups") << "iban"
                                    << "IT60 X054 2811 1010 0000 0123 456"
                                    << "IT60X0542811101000000123456" << MessageKind::Information;
    QTest::newRow("card number in groups") << "carta"
                                           << "4111 1111 1111 1111"
                                           << "4111111111111111" << MessageKind::Information;
    QTest::newRow("partita IVA with its country code") << "piva"
                                                       << "IT 00743110157"
                                                       << "00743110157" << MessageKind::Information;
}

void TestCheckDialogs::pastedCodes()
{
    QFETCH(QString, kind);
    QFETCH(QString, pasted);
    QFETCH(QString, result);
    QFETCH(MessageKind, verdict);
    for (PasteRoute route : {PasteRoute::CtrlV, PasteRoute::ShiftInsert, PasteRoute::Menu}) {
        MessageRecorder recorder;
        auto dialog = makeDialog(kind);
        showActive(dialog.get());
        QLineEdit* field = soleControl<QLineEdit>(dialog.get());
        QVERIFY(pasteInto(field, pasted, route));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY2(field->text() == result, qPrintable(routeName(route) + ": " + field->text()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.last().kind, verdict);
    }
}

void TestCheckDialogs::lengthWarningGivesFieldBackFocus()
{
    MessageRecorder recorder;
    TfrmPartitaIva dialog;
    named<QLineEdit>(&dialog, "txtPartitaIva")->setText(QStringLiteral("123"));
    showActive(&dialog);
    named<QPushButton>(&dialog, "btnControlla")->setFocus();
    QTest::mouseClick(named<QPushButton>(&dialog, "btnControlla"), Qt::LeftButton);
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(QApplication::focusWidget(), named<QLineEdit>(&dialog, "txtPartitaIva"));
}

void TestCheckDialogs::chiudiClosesWithoutMessage()
{
    MessageRecorder recorder;
    TfrmIban dialog;
    named<QLineEdit>(&dialog, "txtIban")->setText(QStringLiteral("IT60X0542811101000000123456"));
    dialog.show();
    QTest::mouseClick(named<QPushButton>(&dialog, "btnChiudi"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(recorder.count(), 0);
}

QTEST_MAIN(TestCheckDialogs)
#include "tst_checkdialogs.moc"
