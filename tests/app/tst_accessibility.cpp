// What a screen reader hears on every screen and dialog: commands are buttons, decoration is
// not, fields have names, labels that show data give their value, and no internal object name
// is ever read out.

#include "app/screens.h"
#include "common/testsupport.h"
#include "help/guida.h"
#include "help/info.h"
#include "help/splash.h"
#include "register/calendarsheetdialog.h"
#include "register/giorno.h"
#include "register/planning.h"
#include "register/riepprenotazioni.h"
#include "registry/allegacartella.h"
#include "registry/clienti.h"
#include "registry/expclienti.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"
#include "ui/decor.h"
#include "validators/frmcarta.h"
#include "validators/frmcodfisc.h"
#include "validators/frmiban.h"
#include "validators/frmpartitaiva.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QtTest>

#include <functional>
#include <memory>

namespace {

QAccessibleInterface* accessibleOf(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QString nameOf(QWidget* w)
{
    QAccessibleInterface* a = accessibleOf(w);
    return a ? a->text(QAccessible::Name) : QString();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyScreen_data();
    void everyScreen();
    void valuesAreHeard();
    void provinceBoxesHaveTheirOwnNames();

private:
    TempProgramFolder m_folder;
};

void TestAccessibility::initTestCase()
{
    createScreens();
}

void TestAccessibility::cleanupTestCase()
{
    destroyScreens();
}

void TestAccessibility::everyScreen_data()
{
    QTest::addColumn<std::function<QWidget*()>>("make");
    auto longLived = [](QPointer<QWidget> Screens::*slot) {
        return std::function<QWidget*()>([slot] { return (screens().*slot).data(); });
    };
    auto calendar = [] { return static_cast<TfrmPlanning*>(screens().frmPlanning.data()); };
    auto cards = [] { return static_cast<TfrmClienti*>(screens().frmClienti.data()); };
    QTest::newRow("login") << longLived(&Screens::frmPassword);
    QTest::newRow("password change") << longLived(&Screens::frmCambiaPassword);
    QTest::newRow("start menu") << longLived(&Screens::frmAvvio);
    QTest::newRow("card screen") << longLived(&Screens::frmClienti);
    QTest::newRow("selection") << longLived(&Screens::frmMenuCamere);
    QTest::newRow("calendar") << longLived(&Screens::frmPlanning);
    using Make = std::function<QWidget*()>;
    QTest::newRow("help") << Make([] { return new TfrmGuida(screens().frmAvvio); });
    QTest::newRow("information") << Make([] { return new TfrmInfo(screens().frmAvvio); });
    QTest::newRow("notice") << Make([] { return new TfrmSplash(screens().frmAvvio); });
    QTest::newRow("search") << Make([cards] { return new TfrmTrovaClienti(cards()); });
    QTest::newRow("recontact") << Make([cards] { return new TfrmRicontatta(cards()); });
    QTest::newRow("attachments") << Make([cards] { return new TfrmAllegaCartella(cards()); });
    QTest::newRow("export") << Make([cards] { return new TfrmExpClienti(cards()); });
    QTest::newRow("day") << Make([calendar] {
        return new TfrmGiorno(calendar(), 0, QStringLiteral("2026"), QStringLiteral("Rossi Mario"),
                              QString());
    });
    QTest::newRow("summary") << Make([calendar] { return new TfrmRiepPrenotazioni(calendar()); });
    QTest::newRow("sheet print") << Make([calendar] { return new TfrmStampaPlanning(calendar()); });
    QTest::newRow("sheet preview")
        << Make([calendar] { return new TfrmAnteprimaPlanning(calendar()); });
    QTest::newRow("codice fiscale") << Make([] { return new TfrmCodFisc; });
    QTest::newRow("partita IVA") << Make([] { return new TfrmPartitaIva; });
    QTest::newRow("card check") << Make([] { return new TfrmCarta; });
    QTest::newRow("IBAN check") << Make([] { return new TfrmIban; });
}

void TestAccessibility::everyScreen()
{
    QFETCH(std::function<QWidget*()>, make);
    QWidget* screen = make();
    QVERIFY(screen);
    // Dialogs are made for the test and go with it; the long-lived screens stay.
    std::unique_ptr<QWidget> dialog;
    if (qobject_cast<QDialog*>(screen))
        dialog.reset(screen);

    QStringList faults;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        // A reader passes over what is not shown (the hidden state labels among them).
        QAccessibleInterface* a = accessibleOf(w);
        if (!a || !w->isVisibleTo(screen))
            continue;
        const QString name = a->text(QAccessible::Name);
        const QString id = w->objectName();
        if (!id.isEmpty() && name == id)
            faults << id + QStringLiteral(": announced by its internal name");
        if (auto* picture = qobject_cast<Picture*>(w)) {
            if ((a->role() == QAccessible::Button) != picture->isClickable())
                faults << id + QStringLiteral(": a button only if it acts on a click");
            if (picture->isClickable() && name.isEmpty())
                faults << id + QStringLiteral(": a command without a name");
        } else if (qobject_cast<QAbstractButton*>(w) && w->focusPolicy() != Qt::NoFocus
                   && name.isEmpty()) {
            faults << id + QStringLiteral(": a command without a name");
        }
        const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        if (field && name.isEmpty())
            faults << (id.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : id)
                          + QStringLiteral(": a field without a name");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

// Labels that show data: a reader hears the value and what it is.
void TestAccessibility::valuesAreHeard()
{
    auto* cards = static_cast<TfrmClienti*>(screens().frmClienti.data());
    cards->setCardNumber(42);
    auto* position = cards->findChild<QLabel*>(QStringLiteral("lblPosizione"));
    QVERIFY(position);
    QCOMPARE(nameOf(position), QStringLiteral("42"));
    QCOMPARE(accessibleOf(position)->text(QAccessible::Description),
             QStringLiteral("Numero della scheda"));
    auto* hints = cards->findChild<QLabel*>(QStringLiteral("panInfo"));
    QVERIFY(hints);
    QCOMPARE(nameOf(hints), hints->text());
    QVERIFY(!hints->text().isEmpty());

    auto* calendar = static_cast<TfrmPlanning*>(screens().frmPlanning.data());
    calendar->setChoice(PersonYear{{}, {}, {}, {}, QStringLiteral("2026"), {}});
    auto* year = calendar->findChild<QLabel*>(QStringLiteral("txtAnno"));
    QCOMPARE(nameOf(year), QStringLiteral("2026"));
    QCOMPARE(accessibleOf(year)->text(QAccessible::Description), QStringLiteral("Anno"));
}

void TestAccessibility::provinceBoxesHaveTheirOwnNames()
{
    auto* cards = static_cast<TfrmClienti*>(screens().frmClienti.data());
    QComboBox* residence = cards->provinceBox(AnagraficaField::ProvRes);
    QComboBox* birth = cards->provinceBox(AnagraficaField::ProvNasc);
    QCOMPARE(nameOf(residence), QStringLiteral("Provincia di residenza"));
    QCOMPARE(nameOf(birth), QStringLiteral("Provincia di nascita"));
    QCOMPARE(nameOf(residence->lineEdit()), nameOf(residence));
    QCOMPARE(nameOf(birth->lineEdit()), nameOf(birth));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
