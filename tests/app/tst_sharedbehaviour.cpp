// The behaviours every screen shares: message texts and the recorder that answers them, the
// focus highlight, the Enter chain, the info line, the centred container, the fixed window,
// screen hand-over and the process-wide formats.

#include "app/screens.h"
#include "common/pastesupport.h"
#include "core/base/formats.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/infoline.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QtTest>

#include <memory>

// The process starts under a regional format with '.' as decimal separator and month-first
// dates, as on a machine set up for the United States.
static const bool kForeignLocale = [] {
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    return true;
}();

class TestSharedBehaviour : public QObject {
    Q_OBJECT

private slots:
    void messageDisplayText_data();
    void messageDisplayText();
    void recorderAnswers();
    void focusHighlightFollowsFocus();
    void enterChain();
    void enterPressesFocusedCommand_data();
    void enterPressesFocusedCommand();
    void clickOnPictureKeepsFocus();
    void digitsOnlyField();
    void picturesAndValuesForScreenReaders();
    void infoLineHintAndClear();
    void containerStaysCentred_data();
    void containerStaysCentred();
    void fixedWindow();
    void switchScreenNeedsSomewhereToGo();
    void formatsIgnoreRegionalSettings();
};

void TestSharedBehaviour::messageDisplayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << "Attenzione: nulla."
                          << "Attenzione: nulla.";
    QTest::newRow("CR LF") << "uno\r\ndue"
                           << "uno\ndue";
    QTest::newRow("CR LF twice") << "uno\r\n\r\ndue"
                                 << "uno\n\ndue";
    QTest::newRow("LF CR LF CR") << "uno\n\r\n\rdue"
                                 << "uno\n\ndue";
    QTest::newRow("lone CR and lone LF") << "a\rb\nc"
                                         << "a\nb\nc";
    QTest::newRow("CR LF then LF") << "a\r\n\nb"
                                   << "a\n\nb";
    QTest::newRow("CR CR") << "a\r\rb"
                           << "a\n\nb";
    QTest::newRow("at the end") << "fine\r\n"
                                << "fine\n";
}

void TestSharedBehaviour::messageDisplayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(::messageDisplayText(text), shown);
}

void TestSharedBehaviour::recorderAnswers()
{
    MessageRecorder outer;
    QCOMPARE(showMessage(nullptr, MessageKind::Warning, "w"), MessageAnswer::Ok);
    QCOMPARE(showMessage(nullptr, MessageKind::Confirmation, "c"), MessageAnswer::Yes);
    {
        MessageRecorder inner; // the innermost recorder answers
        inner.setNextAnswer(MessageAnswer::No);
        inner.setNextAnswer(MessageAnswer::Cancel);
        QString seen;
        inner.onShow([&seen](const ShownMessage& m) { seen = m.text; });
        QCOMPARE(showMessage(nullptr, MessageKind::Confirmation, "sovrascrivere?"),
                 MessageAnswer::No);
        QCOMPARE(seen, QStringLiteral("sovrascrivere?"));
        QCOMPARE(showMessage(nullptr, MessageKind::Information, "i"), MessageAnswer::Cancel);
        QCOMPARE(inner.count(), 2);
        QCOMPARE(inner.messages().first().kind, MessageKind::Confirmation);
    }
    QCOMPARE(showMessage(nullptr, MessageKind::Plain, "p"), MessageAnswer::Ok);
    QCOMPARE(outer.count(), 3);
    QCOMPARE(outer.last().kind, MessageKind::Plain);
    QVERIFY(!confirmed(MessageAnswer::No));
    for (MessageAnswer a : {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Cancel})
        QVERIFY(confirmed(a));
}

void TestSharedBehaviour::focusHighlightFollowsFocus()
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    a->setObjectName(QStringLiteral("txtCognome"));
    a->setGeometry(20, 30, 100, 22);
    auto* b = new QLineEdit(&window);
    b->setObjectName(QStringLiteral("txtNome"));
    b->setGeometry(20, 80, 100, 22);
    ShapeRect* effA = attachFocusHighlight(a);
    ShapeRect* effB = attachFocusHighlight(b);
    QCOMPARE(effA->objectName(), QStringLiteral("effCognome"));
    QCOMPARE(effA->geometry(), QRect(16, 26, 108, 30));
    QVERIFY(window.children().indexOf(effA) < window.children().indexOf(a)); // behind its field
    QVERIFY(effA->isHidden() && effB->isHidden());

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    a->setFocus();
    QVERIFY(effA->isVisible() && !effB->isVisible());
    QTest::keyClick(a, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), b);
    QVERIFY(!effA->isVisible() && effB->isVisible());
    b->clearFocus();
    QVERIFY(!effA->isVisible() && !effB->isVisible());
}

void TestSharedBehaviour::enterChain()
{
    QWidget window;
    QLineEdit* fields[3];
    for (QLineEdit*& f : fields)
        f = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("Salva"), &window);
    setEnterTarget(fields[0], fields[1]);
    setEnterTarget(fields[1], fields[2]);
    setEnterTarget(fields[2], button);
    QSignalSpy returns(fields[0], &QLineEdit::returnPressed);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    fields[0]->setFocus();
    QTest::keyClicks(fields[0], QStringLiteral("ab"));
    QCOMPARE(fields[0]->text(), QStringLiteral("ab")); // other keys still type
    QTest::keyClick(fields[0], Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), fields[1]);
    QTest::keyClick(fields[1], Qt::Key_Enter); // the keypad's Enter too
    QCOMPARE(QApplication::focusWidget(), fields[2]);
    QTest::keyClick(fields[2], Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button);
    QCOMPARE(returns.count(), 0); // the key is taken, the field never sees it
    QCOMPARE(fields[0]->text(), QStringLiteral("ab"));
}

void TestSharedBehaviour::enterPressesFocusedCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("inDialog");
    QTest::addColumn<int>("key");
    for (const char* command : {"button", "picture"}) {
        for (bool inDialog : {false, true}) {
            const QByteArray row =
                QByteArray(command) + (inDialog ? " in a dialog" : " in a screen");
            QTest::newRow(row + ", Return") << command << inDialog << int(Qt::Key_Return);
            QTest::newRow(row + ", keypad Enter") << command << inDialog << int(Qt::Key_Enter);
        }
    }
}

// The field's Enter moves to the command without pressing it; Enter on the focused command
// presses it once, also where the dialog gives its buttons no default role.
void TestSharedBehaviour::enterPressesFocusedCommand()
{
    QFETCH(QString, command);
    QFETCH(bool, inDialog);
    QFETCH(int, key);
    std::unique_ptr<QWidget> window(inDialog ? new QDialog : new QWidget);
    window->resize(300, 200);
    auto* field = new QLineEdit(window.get());
    auto* other = makeCommandButton(window.get(), QStringLiteral("btnAltro"),
                                    QStringLiteral("Altro"), QRect(10, 150, 80, 30));
    other->setAutoDefault(false);
    QAbstractButton* target = nullptr;
    if (command == QLatin1String("button")) {
        auto* button = makeCommandButton(window.get(), QStringLiteral("btnApri"),
                                         QStringLiteral("Apri"), QRect(10, 40, 80, 30));
        button->setAutoDefault(false);
        target = button;
    } else {
        auto* picture = new Picture(window.get(), QStringLiteral("imgApri"), QRect(10, 40, 30, 30),
                                    QStringLiteral(":/app/icon_info.svg"), QStringLiteral("Apri"));
        picture->setClickable(true);
        target = picture;
    }
    setEnterTarget(field, target);
    QSignalSpy pressed(target, &QAbstractButton::clicked);
    QSignalSpy otherPressed(other, &QAbstractButton::clicked);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    field->setFocus();
    QTest::keyClick(field, Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), target);
    QCOMPARE(pressed.count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(otherPressed.count(), 0);
    QVERIFY(window->isVisible());
}

void TestSharedBehaviour::clickOnPictureKeepsFocus()
{
    QWidget window;
    window.resize(300, 200);
    auto* field = new QLineEdit(&window);
    ShapeRect* highlight = attachFocusHighlight(field);
    auto* picture = new Picture(&window, QStringLiteral("cmdSalva"), QRect(10, 40, 30, 30),
                                QStringLiteral(":/app/icon_info.svg"), QStringLiteral("Salva"));
    picture->setClickable(true);
    QSignalSpy pressed(picture, &QAbstractButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("Rossi"));

    QTest::mouseClick(picture, Qt::LeftButton);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(QApplication::focusWidget(), field);
    QVERIFY(highlight->isVisible());
    QTest::keyClicks(field, QStringLiteral("ni"));
    QCOMPARE(field->text(), QStringLiteral("Rossini"));
    // Tab still reaches it, and Space presses it.
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), picture);
    QTest::keyClick(picture, Qt::Key_Space);
    QCOMPARE(pressed.count(), 2);
}

// A year-like field: typing takes digits only, every editing key and Escape pass, and pasted
// text comes in as its digits, cut to the limit only after that.
void TestSharedBehaviour::digitsOnlyField()
{
    QDialog dialog;
    dialog.resize(300, 200);
    auto* year = new QLineEdit(&dialog);
    year->setMaxLength(4);
    acceptDigitsOnly(year);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    year->setFocus();

    QTest::keyClicks(year, QStringLiteral("2a0 2x6"));
    QCOMPARE(year->text(), QStringLiteral("2026"));
    QTest::keyClick(year, Qt::Key_Home);
    QTest::keyClick(year, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(year, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(year->selectedText(), QStringLiteral("20"));
    QTest::keyClick(year, Qt::Key_End);
    QTest::keyClick(year, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(year, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(year->selectedText(), QStringLiteral("26"));
    QTest::keyClick(year, Qt::Key_Backspace);
    QCOMPARE(year->text(), QStringLiteral("20"));
    QTest::keyClick(year, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(year->text(), QStringLiteral("2026"));

    for (PasteRoute route : {PasteRoute::CtrlV, PasteRoute::ShiftInsert, PasteRoute::Menu}) {
        year->clear();
        QVERIFY(pasteInto(year, QStringLiteral("anno: 1.999"), route));
        QVERIFY2(year->text() == QStringLiteral("1999"), qPrintable(routeName(route)));
        year->setText(QStringLiteral("20"));
        year->end(false);
        QVERIFY(pasteInto(year, QStringLiteral(" 2-6 10"), route)); // room for two digits
        QVERIFY2(year->text() == QStringLiteral("2026"), qPrintable(routeName(route)));
    }
    QTest::keyClick(year, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

void TestSharedBehaviour::picturesAndValuesForScreenReaders()
{
    QWidget window;
    auto* decoration = new Picture(&window, QStringLiteral("icoTitolo"), QRect(0, 0, 50, 50),
                                   QStringLiteral(":/app/icon_info.svg"), QStringLiteral("Titolo"));
    auto* unnamed = new Picture(&window, QStringLiteral("imgMano"), QRect(0, 60, 20, 20),
                                QStringLiteral(":/app/icon_info.svg"));
    auto* command = new Picture(&window, QStringLiteral("imgEsci"), QRect(60, 0, 20, 20),
                                QStringLiteral(":/app/icon_exit.svg"), QStringLiteral("Esci"));
    command->setClickable(true);
    InfoLine info(&window, QRect(0, 100, 300, 32), QStringLiteral("Pronto."));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(decoration);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Graphic);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Titolo"));
    QVERIFY(!a->state().focusable);
    a = QAccessible::queryAccessibleInterface(unnamed);
    QCOMPARE(a->role(), QAccessible::Graphic);
    QCOMPARE(a->text(QAccessible::Name), QString()); // never its internal name
    a = QAccessible::queryAccessibleInterface(command);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Esci"));
    QVERIFY(a->state().focusable);
    QSignalSpy pressed(command, &QAbstractButton::clicked);
    QVERIFY(a->actionInterface());
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(pressed.count(), 1);

    // The hint bar: a reader hears the hint and what the bar is.
    a = QAccessible::queryAccessibleInterface(info.label());
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Pronto."));
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("Barra informazioni"));
    info.label()->setText(QStringLiteral("Salva la scheda."));
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Salva la scheda."));
}

void TestSharedBehaviour::infoLineHintAndClear()
{
    QWidget window;
    window.resize(600, 400);
    window.setMouseTracking(true);
    QWidget* container = makeCentredContainer(&window, QSize(500, 300));
    auto* command = new QPushButton(QStringLiteral("Salva"), container);
    command->setObjectName(QStringLiteral("cmdSalva"));
    command->setGeometry(10, 10, 100, 30);
    InfoLine info(container, QRect(0, 268, 500, 32), QStringLiteral("Pronto..."));
    info.setHint(command, QStringLiteral("Salva la scheda corrente."));
    info.addClearer(&window);
    info.addClearer(container);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(info.text(), QStringLiteral("Pronto..."));
    QCOMPARE(info.label()->objectName(), QStringLiteral("panInfo"));
    QCOMPARE(info.bar()->objectName(), QStringLiteral("shpInfo"));
    QCOMPARE(command->accessibleDescription(), QStringLiteral("Salva la scheda corrente."));
    const struct {
        QWidget* over;
        QString text;
    } moves[] = {
        {command, QStringLiteral("Salva la scheda corrente.")}, {container, QString()},
        {command, QStringLiteral("Salva la scheda corrente.")}, {info.bar(), QString()},
        {command, QStringLiteral("Salva la scheda corrente.")}, {&window, QString()},
    };
    for (const auto& move : moves) {
        QTest::mouseMove(move.over, QPoint(5, 5));
        QVERIFY2(info.text() == move.text,
                 qPrintable(move.over->objectName() + ": " + info.text()));
    }
}

void TestSharedBehaviour::containerStaysCentred_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("larger") << QSize(1280, 800) << QPoint(142, 54);
    QTest::newRow("odd margins") << QSize(1000, 700) << QPoint(2, 4);
    QTest::newRow("design size") << QSize(995, 692) << QPoint(0, 0);
    QTest::newRow("smaller stays at the corner") << QSize(800, 600) << QPoint(0, 0);
}

void TestSharedBehaviour::containerStaysCentred()
{
    QFETCH(QSize, windowSize);
    QFETCH(QPoint, expected);
    QWidget window;
    window.resize(300, 200);
    QWidget* container = makeCentredContainer(&window, QSize(995, 692));
    QCOMPARE(container->objectName(), QStringLiteral("panContainer"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(windowSize);
    QCOMPARE(container->pos(), expected);
    QCOMPARE(container->size(), QSize(995, 692));
}

void TestSharedBehaviour::fixedWindow()
{
    QWidget window;
    setupFixedWindow(&window, QStringLiteral(" Controllo IBAN"), QSize(608, 270));
    QCOMPARE(window.windowTitle(), QStringLiteral(" Controllo IBAN"));
    QCOMPARE(window.minimumSize(), QSize(608, 270));
    QCOMPARE(window.maximumSize(), QSize(608, 270));
    const Qt::WindowFlags flags = window.windowFlags();
    // No minimise or maximise; the window manager's close stays, for Alt+F4.
    QVERIFY(!(flags & Qt::WindowMinMaxButtonsHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Centred when it is set up, before the frame's width is known: a few pixels of slack.
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QString::number(offset.manhattanLength())));
}

void TestSharedBehaviour::switchScreenNeedsSomewhereToGo()
{
    QWidget first;
    QWidget second;
    first.show();
    switchScreen(&first, nullptr);
    QVERIFY(first.isVisible()); // never left with no window at all
    switchScreen(&first, &second);
    QVERIFY(second.isVisible());
    QVERIFY(!first.isVisible());
}

void TestSharedBehaviour::formatsIgnoreRegionalSettings()
{
    QVERIFY(kForeignLocale);
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral("."));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
    // The date helpers never depend on the locale, before the formats are set or after.
    QCOMPARE(formatShortDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));

    applyProcessFormats();
    applyProcessFormats(); // idempotent
    const QLocale locale;
    QCOMPARE(locale.decimalPoint(), QStringLiteral(","));
    QCOMPARE(locale.toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
    bool ok = false;
    QCOMPARE(locale.toDouble(QStringLiteral("2,5"), &ok), 2.5);
    QVERIFY(ok);

    const struct {
        const char* text;
        QDate date;
    } dates[] = {
        {"05/03/2024", QDate(2024, 3, 5)},
        {"31/12/1999", QDate(1999, 12, 31)},
        {"29/02/2024", QDate(2024, 2, 29)},
        {"29/02/2023", QDate()},
        {"03/31/2024", QDate()},
        {"2024-03-05", QDate()},
        {"", QDate()},
    };
    for (const auto& row : dates) {
        QCOMPARE(parseShortDate(QString::fromLatin1(row.text)), row.date);
        if (row.date.isValid())
            QCOMPARE(formatShortDate(row.date), QString::fromLatin1(row.text));
    }
    QCOMPARE(formatShortDate(QDate(987, 1, 2)), QStringLiteral("02/01/0987"));
    QCOMPARE(formatLongTime(QTime(9, 5, 3)), QStringLiteral("09:05:03"));
}

QTEST_MAIN(TestSharedBehaviour)
#include "tst_sharedbehaviour.moc"
