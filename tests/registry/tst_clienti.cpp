// The registry card screen as the user meets it: what each field lets through, the Enter
// chain, the province boxes, the hints, the validator choice, showing and closing.

#include "cardscreen_support.h"

#include "app/screens.h"
#include "common/modaltest.h"
#include "common/pastesupport.h"
#include "common/sessionsupport.h"
#include "core/help/helptexts.h"
#include "help/guida.h"
#include "help/openurl.h"
#include "registry/clientifields.h"
#include "registry/inputrules.h"
#include "ui/infoline.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest/QSpontaneKeyEvent>
#include <QtTest/QtTest>

using F = AnagraficaField;

class TestClienti : public QObject {
    Q_OBJECT

private slots:
    void init() { m_card = std::make_unique<CardScreen>(); }
    void cleanup() { m_card.reset(); }

    void typing_data();
    void typing();
    void typingInTheMiddleKeepsTheCursor();
    void pasting_data();
    void pasting();
    void digitsOnlyKeys();
    void leavingRules();
    void enterChainGoesRoundAllFields();
    void provinceBoxes();
    void provinceWheelAndArrows_data();
    void provinceWheelAndArrows();
    void fieldTableMatchesRecord();
    void hints();
    void helpShowsTheRegistryTopic();
    void helpNamesEveryFieldSaveRequires();
    void mailStartsTheMailProgram_data();
    void mailStartsTheMailProgram();
    void checkRequest_data();
    void checkRequest();
    void showingStartsBlankAndClosingReturnsToMenu();
    void openedFromTheStartMenu();

private:
    std::unique_ptr<CardScreen> m_card;
};

void TestClienti::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    // filter A
    QTest::newRow("surname refuses file-name characters") << "txtCognome"
                                                          << "D'Amico/\"*:<>?\\\u00b0"
                                                          << "D'Amico";
    QTest::newRow("surname refuses C and N with marks")
        << "txtCognome" << QString::fromUtf8("ÇÑçñNiño") << QString::fromUtf8("Nio");
    QTest::newRow("surname keeps other accented letters")
        << "txtCognome" << QString::fromUtf8("Cantù Ãß") << QString::fromUtf8("Cantù Ãß");
    // filters B and C
    QTest::newRow("à refused in residence")
        << "txtComuneRes" << QString::fromUtf8("Forlì à") << "Forl ";
    QTest::newRow("à accepted in birthplace")
        << "txtComuneNasc" << QString::fromUtf8("Forlì à") << QString::fromUtf8("Forlì à");
    QTest::newRow("& accepted in firm name") << "txtDitta"
                                             << "Rossi & Figli <srl>"
                                             << "Rossi & Figli srl";
    QTest::newRow("& refused in address") << "txtIndirizzoRes"
                                          << "Via A&B 1/2 \u00a3"
                                          << "Via AB 12 ";
    // filter D, trim and upper case
    QTest::newRow("codice fiscale") << "txtCodFisc"
                                    << " rss:mra?80a01*h501u\""
                                    << "RSSMRA80A01H501U";
    QTest::newRow("codice fiscale cut at 16") << "txtCodFisc"
                                              << "RSSMRA80A01H501UXYZ"
                                              << "RSSMRA80A01H501U";
    // rules while typing
    QTest::newRow("m becomes M, one character") << "txtSesso"
                                                << "mf"
                                                << "M";
    QTest::newRow("province upper case") << "txtProvRes"
                                         << "rm"
                                         << "RM";
    QTest::newRow("province not in the list") << "txtProvNasc"
                                              << "xy"
                                              << "XY";
    QTest::newRow("province trimmed while typing") << "txtProvRes"
                                                   << " r m"
                                                   << "RM";
    QTest::newRow("PEC trimmed while typing") << "txtPec"
                                              << " a b@pec.it "
                                              << "ab@pec.it";
    QTest::newRow("IBAN upper case") << "txtIban"
                                     << "it60x 054"
                                     << "IT60X054";
    QTest::newRow("recipient code") << "txtCodiceDest"
                                    << "m5uxcr1zz"
                                    << "M5UXCR1";
    // digits only
    QTest::newRow("CAP digits, at most 5") << "txtCapRes"
                                           << "1a0b1c2d2e99"
                                           << "10122";
    QTest::newRow("card digits, at most 30")
        << "txtCarta"
        << "4111-1111 x" + QString(40, '1') << "41111111" + QString(22, '1');
    QTest::newRow("partita IVA digits, at most 11") << "txtPartitaIva"
                                                    << "IT0123456789012"
                                                    << "01234567890";
    // characters outside Windows-1252 become "?", even where "?" cannot be typed
    QTest::newRow("outside the set in a name")
        << "txtNome" << QString::fromUtf8("Łukasz") << "?ukasz";
    QTest::newRow("outside the plane in notes")
        << "txtNote" << QString::fromUtf8("ok 😀!") << "ok ?!";
    QTest::newRow("no rule keeps blanks") << "txtNote"
                                          << "  due  "
                                          << "  due  ";
}

void TestClienti::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    const CardFieldRow* row = cardFieldRow(field);
    QVERIFY(row);
    QWidget* target = m_card->control(row->field);
    QCOMPARE(target->objectName(), field);
    target->setFocus();
    typeInto(target, typed);
    QCOMPARE(m_card->text(row->field), expected);
}

void TestClienti::typingInTheMiddleKeepsTheCursor()
{
    QLineEdit* code = m_card->edit(F::CodFisc);
    code->setFocus();
    typeInto(code, QStringLiteral("rssmra"));
    for (int i = 0; i < 3; ++i)
        pressKey(code, Qt::Key_Left);
    typeInto(code, QStringLiteral("x?y"));
    QCOMPARE(code->text(), QStringLiteral("RSSXYMRA"));
    QCOMPARE(code->cursorPosition(), 5);
}

void TestClienti::pasting_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cut to the field's limit") << "txtCognome"
                                              << "" << QString(60, 'x') << QString(50, 'x');
    QTest::newRow("cut to the room left") << "txtCapRes"
                                          << "10"
                                          << "123456"
                                          << "10123";
    QTest::newRow("digits kept, the rest dropped") << "txtPartitaIva"
                                                   << ""
                                                   << "IT 012-345"
                                                   << "012345";
    QTest::newRow("refused characters dropped") << "txtCodFisc"
                                                << ""
                                                << "rss/mra?80a01"
                                                << "RSSMRA80A01";
    QTest::newRow("outside the set becomes ?")
        << "txtComuneNasc"
        << "" << QString::fromUtf8("Łódź 😀") << QString::fromUtf8("?ód? ?");
    QTest::newRow("accented letters dropped by filter B")
        << "txtComuneRes"
        << "San " << QString::fromUtf8("Donà") << "San Don";
    // Digits-only fields take the digits of what is pasted before the limit cuts it.
    QTest::newRow("CAP from a mail") << "txtCapRes"
                                     << ""
                                     << "CAP: 00184 Roma"
                                     << "00184";
    QTest::newRow("partita IVA with its country code") << "txtPartitaIva"
                                                       << ""
                                                       << "IT 0123456789 0"
                                                       << "01234567890";
    QTest::newRow("card number in groups") << "txtCarta"
                                           << ""
                                           << "4111 1111 1111 1111"
                                           << "4111111111111111";
    // A printed IBAN (33 characters with its blanks) comes in whole, in capitals.
    QTest::newRow("IBAN in groups") << "txtIban"
                                    << ""
                                    << "it60 X054 2811 1010 0000 0123 456"
                                    << "IT60X0542811101000000123456";
    QTest::newRow("IBAN over a selection") << "txtIban"
                                           << "IT00*"
                                           << "\tIT60 X054\t"
                                           << "IT60X054";
}

void TestClienti::pasting()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    const CardFieldRow* row = cardFieldRow(field);
    QLineEdit* edit = m_card->edit(row->field);
    // "before" ending in "*": that part is selected and the paste replaces it.
    const bool overSelection = before.endsWith(QLatin1Char('*'));
    before.chop(overSelection ? 1 : 0);
    edit->setFocus();
    for (PasteRoute route : {PasteRoute::CtrlV, PasteRoute::ShiftInsert, PasteRoute::Menu}) {
        edit->setText(before);
        if (overSelection)
            edit->selectAll();
        else
            edit->end(false);
        QVERIFY(pasteInto(edit, pasted, route));
        QVERIFY2(edit->text() == expected, qPrintable(routeName(route) + ": " + edit->text()));
        // What is on screen is what the card stores.
        QCOMPARE(m_card->screen->BuildRecord().get(row->field), expected.trimmed());
    }
}

void TestClienti::digitsOnlyKeys()
{
    QLineEdit* cap = m_card->edit(F::CapRes);
    cap->setFocus();
    // Only digits are typed in.
    typeInto(cap, QStringLiteral("1a2 -3."));
    QCOMPARE(cap->text(), QStringLiteral("123"));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Backspace})
        QTest::keyClick(cap, key);
    QCOMPARE(cap->text(), QStringLiteral("13"));
    QTest::keyClick(cap, Qt::Key_Delete);
    QCOMPARE(cap->text(), QStringLiteral("1"));
    QTest::keyClicks(cap, QStringLiteral("234"));
    // Editing and moving keys work as in every field.
    QTest::keyClick(cap, Qt::Key_Home);
    QTest::keyClick(cap, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(cap->selectedText(), QStringLiteral("1"));
    QTest::keyClick(cap, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(cap->text(), QStringLiteral("234"));
    QTest::keyClick(cap, Qt::Key_End);
    QTest::keyClick(cap, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cap->text(), QStringLiteral("2341"));
    QTest::keyClick(cap, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cap->text(), QStringLiteral("234"));
    QTest::keyClick(cap, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(cap->selectedText(), QStringLiteral("234"));
    QTest::keyClick(cap, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("234"));
    QTest::keyClick(cap, Qt::Key_Return);
    QCOMPARE(m_card->focusName(), QStringLiteral("txtDataNasc"));
}

void TestClienti::leavingRules()
{
    m_card->set(F::Email, QStringLiteral("  mario@example.it \t"));
    m_card->set(F::ProvNasc, QStringLiteral(" n")); // the box holds two characters
    m_card->set(F::Pec, QStringLiteral(" p@pec.it "));
    for (F f : {F::Email, F::ProvNasc, F::Pec}) {
        m_card->control(f)->setFocus();
        m_card->control(F::Cognome)->setFocus();
    }
    QCOMPARE(m_card->text(F::Email), QStringLiteral("mario@example.it"));
    QCOMPARE(m_card->text(F::ProvNasc), QStringLiteral("N"));
    QCOMPARE(m_card->text(F::Pec), QStringLiteral(" p@pec.it ")); // trimmed only while typing
}

void TestClienti::enterChainGoesRoundAllFields()
{
    const QStringList chain = {"txtNome",         "txtDitta",      "txtSesso",      "txtRecapito",
                               "txtIndirizzoRes", "txtProvRes",    "txtComuneRes",  "txtCapRes",
                               "txtDataNasc",     "txtComuneNasc", "txtProvNasc",   "txtTelCasa",
                               "txtTelUff",       "txtTelCel",     "txtPec",        "txtEmail",
                               "txtCodFisc",      "txtCarta",      "txtScadeCarta", "txtPartitaIva",
                               "txtIban",         "txtTipoPat",    "txtNumPat",     "txtEnteRil",
                               "txtDataRil",      "txtDataSca",    "txtConducente", "txtQuestioni",
                               "txtNote",         "txtCodiceDest", "txtCognome"};
    m_card->control(F::Cognome)->setFocus();
    for (const QString& next : chain) {
        pressKey(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_card->focusName(), next);
    }
    // The highlight follows the focus.
    auto* highlight = m_card->screen->findChild<QWidget*>(QStringLiteral("effCognome"));
    QVERIFY(highlight && highlight->isVisible());
    QVERIFY(!m_card->screen->findChild<QWidget*>(QStringLiteral("effCodiceDest"))->isVisible());
}

void TestClienti::provinceBoxes()
{
    for (F f : {F::ProvRes, F::ProvNasc}) {
        QComboBox* box = m_card->provinceBox(f);
        QVERIFY(box);
        QCOMPARE(box->count(), 112);
        QCOMPARE(box->itemText(0), QStringLiteral("AG"));
        QCOMPARE(box->itemText(111), QStringLiteral("VV"));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QString());
    }
    QCOMPARE(QSet<QString>(provinceCodes().cbegin(), provinceCodes().cend()).size(), 112);

    // Picking from the list, then coming back: the selection is gone, the code stays.
    QComboBox* box = m_card->provinceBox(F::ProvRes);
    box->setCurrentIndex(int(provinceCodes().indexOf(QStringLiteral("RM"))));
    m_card->control(F::Cognome)->setFocus();
    box->setFocus();
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QStringLiteral("RM"));
    // Enter moves on and adds nothing to the list.
    pressKey(box, Qt::Key_Return);
    QCOMPARE(m_card->focusName(), QStringLiteral("txtComuneRes"));
    QCOMPARE(box->count(), 112);

    box->setCurrentIndex(3);
    m_card->screen->cmdNuovoClick();
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QString());
}

void TestClienti::provinceWheelAndArrows_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");
    // The wheel passing over a box the user is not in.
    QTest::newRow("wheel down over RM") << "txtProvRes"
                                        << "RM"
                                        << "wheel down"
                                        << "RM";
    QTest::newRow("wheel up over RM") << "txtProvNasc"
                                      << "RM"
                                      << "wheel up"
                                      << "RM";
    QTest::newRow("wheel over an empty box") << "txtProvRes"
                                             << ""
                                             << "wheel down"
                                             << "";
    // In the box: from the code shown to its neighbour.
    QTest::newRow("Down from MI") << "txtProvRes"
                                  << "MI"
                                  << "Down"
                                  << "MN";
    QTest::newRow("Up from MI") << "txtProvNasc"
                                << "MI"
                                << "Up"
                                << "ME";
    QTest::newRow("Page Down from MI") << "txtProvRes"
                                       << "MI"
                                       << "PageDown"
                                       << "MN";
    QTest::newRow("Up from the first code") << "txtProvRes"
                                            << "AG"
                                            << "Up"
                                            << "AG";
    QTest::newRow("Down from the last code") << "txtProvRes"
                                             << "VV"
                                             << "Down"
                                             << "VV";
    QTest::newRow("wheel down in the box") << "txtProvRes"
                                           << "MI"
                                           << "focused wheel down"
                                           << "MN";
    QTest::newRow("wheel up in the box") << "txtProvNasc"
                                         << "RM"
                                         << "focused wheel up"
                                         << "RI";
    // A text that is no code of the list stays until a code is picked.
    QTest::newRow("Down from XY") << "txtProvNasc"
                                  << "XY"
                                  << "Down"
                                  << "XY";
    QTest::newRow("Up from XY") << "txtProvRes"
                                << "XY"
                                << "Up"
                                << "XY";
    QTest::newRow("Down from an empty box") << "txtProvRes"
                                            << ""
                                            << "Down"
                                            << "";
}

// The wheel over a province box the user is not in scrolls nothing, takes no focus and changes
// no code; in the box, the arrow keys and the wheel step from the code shown to its neighbour
// in the list, and a text the list does not hold is left alone.
void TestClienti::provinceWheelAndArrows()
{
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QString, action);
    QFETCH(QString, expected);
    const F field = cardFieldRow(box)->field;
    QComboBox* combo = m_card->provinceBox(field);
    // The card as loaded from the registry: the code in the box, the focus in the surname.
    m_card->set(field, shown);
    QWidget* surname = m_card->control(F::Cognome);
    QTest::mouseClick(m_card->edit(F::Cognome), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), surname);

    const auto turnWheel = [&](int delta) {
        QLineEdit* under = combo->lineEdit();
        const QPointF at(under->width() / 2.0, under->height() / 2.0);
        QWheelEvent wheel(at, under->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel); // as the window system delivers it
        QApplication::instance()->notify(under, &wheel);
    };
    if (action.startsWith(QLatin1String("wheel"))) {
        turnWheel(action.endsWith(QLatin1String("down")) ? -120 : 120);
        QCOMPARE(QApplication::focusWidget(), surname);
    } else {
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), combo);
        if (action.startsWith(QLatin1String("focused")))
            turnWheel(action.endsWith(QLatin1String("down")) ? -120 : 120);
        else {
            const int key = action == QLatin1String("Down") ? Qt::Key_Down
                            : action == QLatin1String("Up") ? Qt::Key_Up
                                                            : Qt::Key_PageDown;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        }
    }
    QCOMPARE(m_card->text(field), expected);
    QCOMPARE(combo->currentText(), expected);
    // What Salva would store.
    QCOMPARE(m_card->screen->BuildRecord().get(field), expected);
}

void TestClienti::fieldTableMatchesRecord()
{
    int tab = -1;
    for (const CardFieldRow& row : cardFieldTable()) {
        const AnagraficaFieldInfo& info = AnagraficaRecord::info(row.field);
        QCOMPARE(QString::fromLatin1(row.control), QStringLiteral("txt") + info.name);
        QCOMPARE(row.maxLength, info.capacity);
        QCOMPARE(m_card->edit(row.field)->maxLength(), info.capacity);
        QVERIFY(row.tab > tab);
        tab = row.tab;
        QVERIFY(cardFieldRow(QString::fromLatin1(row.enterMovesTo)));
    }
}

void TestClienti::hints()
{
    const QList<QPair<QString, QString>> hints = {
        {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i "
                       "dati correnti."},
        {"cmdFile", "Allega file alla scheda corrente."},
        {"cmdSalva", "Salva la scheda corrente in archivio."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdAnteprima", "Visualizza l'anteprima di stampa."},
        {"cmdStampa", "Stampa la scheda corrente."},
        {"cmdPDF", "Esporta la scheda in formato PDF."},
        {"cmdRicontatta", "Visualizza l'elenco dei Clienti da ricontattare."},
        {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
        {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"imgPrima", "Visualizza la prima scheda in archivio."},
        {"imgPrecedente", "Visualizza la scheda precedente in archivio."},
        {"imgSuccessiva", "Visualizza la scheda successiva in archivio."},
        {"imgUltima", "Visualizza l'ultima scheda in archivio."},
        {"chkRicontatta",
         QString::fromUtf8("Annota che il cliente è da ricontattare per questioni in sospeso.")},
        {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
        {"btnCodFisc", "Controlla il codice fiscale."},
        {"btnCarta", "Controlla il numero di carta di credito."},
        {"btnPartitaIva", "Controlla il numero di partita IVA."},
        {"btnIban", "Controlla l'IBAN."},
    };
    InfoLine* info = m_card->screen->info();
    QCOMPARE(info->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    for (const auto& [name, hint] : hints) {
        auto* control = m_card->screen->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QTest::mouseMove(control);
        QTRY_COMPARE(info->text(), hint);
    }
    // A text field leaves the hint as it is; the background and the card number clear it.
    QTest::mouseMove(m_card->control(F::Cognome));
    QTest::qWait(20);
    QCOMPARE(info->text(), hints.last().second);
    QTest::mouseMove(named(m_card->screen.get(), "lblPosizione"));
    QTRY_COMPARE(info->text(), QString());
    QTest::mouseMove(m_card->screen->findChild<QWidget*>(QStringLiteral("btnIban")));
    QTRY_COMPARE(info->text(), hints.last().second);
    QTest::mouseMove(m_card->screen->findChild<QWidget*>(QStringLiteral("panContainer")),
                     QPoint(400, 10));
    QTRY_COMPARE(info->text(), QString());
    // The pictures of the sections and the decorative picture are background too.
    for (const char* picture : {"icoAnagrafica", "icoArchivio", "icoChiocciola"}) {
        QTest::mouseMove(m_card->screen->findChild<QWidget*>(QStringLiteral("btnIban")));
        QTRY_COMPARE(info->text(), hints.last().second);
        auto* background = m_card->screen->findChild<QWidget*>(QString::fromLatin1(picture));
        QVERIFY2(background, picture);
        QTest::mouseMove(background);
        QTRY_COMPARE(info->text(), QString());
    }
}

void TestClienti::helpShowsTheRegistryTopic()
{
    QString dialog, title, text;
    whenModal([&](QWidget* shown) {
        auto* help = qobject_cast<TfrmGuida*>(shown);
        if (!help)
            return;
        dialog = help->objectName();
        title = named<QLabel>(help, "lblTitolo")->text();
        text = named<QPlainTextEdit>(help, "txtGuida")->toPlainText();
    });
    m_card->screen->cmdGuidaClick();
    QCOMPARE(dialog, QStringLiteral("frmGuida"));
    QCOMPARE(title, QStringLiteral("Applicazione Archivio anagrafico."));
    QVERIFY(text.startsWith(QString::fromUtf8(
        "L'app Archivio anagrafico interagisce con il registro delle presenze ma può essere "
        "usata anche come una completa rubrica elettronica")));
    QCOMPARE(registryHelpText().split(kParagraphBreak).size(), 10);
    QVERIFY(m_card->screen->isVisible());
}

// The help tells which fields a card cannot be saved without: every field Save insists on is
// named in the sentence about them.
void TestClienti::helpNamesEveryFieldSaveRequires()
{
    // How the help names each field Save may ask for.
    const QList<std::pair<F, QString>> spoken = {
        {F::Cognome, QStringLiteral("cognome")},
        {F::Nome, QStringLiteral("nome")},
        {F::Recapito, QStringLiteral("telefono preferito")},
        {F::CodFisc, QStringLiteral("codice fiscale")},
        {F::Conducente, QStringLiteral("mansioni")},
    };
    QCOMPARE(qsizetype(compulsoryFields().size()), spoken.size());

    QString text;
    whenModal([&](QWidget* shown) {
        if (auto* help = qobject_cast<TfrmGuida*>(shown))
            text = named<QPlainTextEdit>(help, "txtGuida")->toPlainText();
    });
    QTest::mouseClick(m_card->screen->findChild<QWidget*>(QStringLiteral("cmdGuida")),
                      Qt::LeftButton);
    const QString opening = QStringLiteral("I campi obbligatori sono ");
    const qsizetype from = text.indexOf(opening);
    QVERIFY2(from >= 0, qPrintable(text));
    const QString sentence = text.mid(from, text.indexOf(QLatin1Char('.'), from) - from);
    for (const CompulsoryField& required : compulsoryFields()) {
        auto it = std::find_if(spoken.cbegin(), spoken.cend(),
                               [&](const auto& n) { return n.first == required.field; });
        QVERIFY(it != spoken.cend());
        QVERIFY2(sentence.contains(it->second), qPrintable(sentence + " / " + it->second));
    }
}

void TestClienti::mailStartsTheMailProgram_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("recipient");
    QTest::newRow("address trimmed") << "  mario.rossi@example.it "
                                     << "\"mailto:mario.rossi@example.it\""
                                     << "mario.rossi@example.it";
    QTest::newRow("no address") << ""
                                << "\"mailto:\""
                                << "";
}

void TestClienti::mailStartsTheMailProgram()
{
    QFETCH(QString, address);
    QFETCH(QString, command);
    QFETCH(QString, recipient);
    ShellOpenRecorder shell;
    m_card->set(F::Email, address);
    m_card->screen->btnEmailClick();
    QCOMPARE(shell.count(), 1);
    QCOMPARE(shell.last().command, command);
    QCOMPARE(shell.last().url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(shell.last().url.path(), recipient);
}

void TestClienti::checkRequest_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("input");
    const int cf = int(CheckDialog::CodFisc), piva = int(CheckDialog::PartitaIva);
    QTest::newRow("eleven digits") << cf << "01234567890" << piva << "01234567890";
    QTest::newRow("digits with blanks around") << cf << "  80012345678 " << piva << "80012345678";
    QTest::newRow("personal code") << cf << "RSSMRA80A01H501U" << cf << "RSSMRA80A01H501U";
    QTest::newRow("blank between digits") << cf << "0123 4567890" << cf << "0123 4567890";
    QTest::newRow("empty") << cf << "   " << cf << "";
    QTest::newRow("partita IVA button") << piva << " 0123 " << piva << "0123";
    QTest::newRow("card button") << int(CheckDialog::Carta) << "4111" << int(CheckDialog::Carta)
                                 << "4111";
    QTest::newRow("IBAN button") << int(CheckDialog::Iban) << "12345" << int(CheckDialog::Iban)
                                 << "12345";
}

void TestClienti::checkRequest()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    QFETCH(int, dialog);
    QFETCH(QString, input);
    const CheckRequest request = checkRequestFor(CheckDialog(button), text);
    QCOMPARE(int(request.dialog), dialog);
    QCOMPARE(request.input, input);
}

void TestClienti::showingStartsBlankAndClosingReturnsToMenu()
{
    QWidget menu;
    screens().frmAvvio = &menu;
    TfrmClienti* screen = m_card->screen.get();
    m_card->fillCompulsory(QStringLiteral("Verdi"));
    m_card->ricontatta()->setChecked(true);
    screen->applyAttachments({{{QStringLiteral("contratto.pdf"), QStringLiteral("Contratto")}}});
    screen->setCardNumber(4);

    screen->cmdEsciClick();
    QVERIFY(!screen->isVisible());
    QVERIFY(menu.isVisible());
    QVERIFY(!QFile::exists(m_card->registry())); // nothing saved, nothing asked
    QCOMPARE(m_card->messages.count(), 0);

    switchScreen(&menu, screen);
    QVERIFY(screen->isVisible());
    QVERIFY(!menu.isVisible());
    for (const CardFieldRow& row : cardFieldTable())
        QCOMPARE(m_card->text(row.field), QString());
    QVERIFY(!m_card->ricontatta()->isChecked());
    QCOMPARE(screen->attachments()[0].file, QString());
    QCOMPARE(screen->attachments()[0].desc, QString());
    QCOMPARE(m_card->position(), QString());
    QCOMPARE(screen->cardNumber(), 0);
    QCOMPARE(screen->focusWidget(), m_card->control(F::Cognome));

    // The window's own close button does the same as Esci.
    screen->close();
    QVERIFY(menu.isVisible());
    screens().frmAvvio = nullptr;
}

void TestClienti::openedFromTheStartMenu()
{
    m_card.reset();
    TempProgramFolder folder;
    createScreens();
    QVERIFY(logIn());
    QWidget* menu = screens().frmAvvio;
    auto* card = qobject_cast<TfrmClienti*>(screens().frmClienti.data());
    QVERIFY(menu && card);
    QCOMPARE(card->objectName(), QStringLiteral("frmClienti"));
    QCOMPARE(card->windowTitle(), QStringLiteral(" Vestrano - Archivio anagrafico"));
    switchScreen(screens().frmPassword, menu);
    auto* button = menu->findChild<QAbstractButton*>(QStringLiteral("btnAnagrafica"));
    QVERIFY(button);
    button->click();
    QVERIFY(card->isVisible());
    QVERIFY(!menu->isVisible());
    QCOMPARE(card->focusWidget(), cardControl(card, F::Cognome));
    card->cmdEsciClick();
    QVERIFY(menu->isVisible());
    QVERIFY(!card->isVisible());
    destroyScreens();
}

QTEST_MAIN(TestClienti)
#include "tst_clienti.moc"
