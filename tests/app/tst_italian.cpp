// Italian everywhere: Qt's own texts (context menus, file and printer dialogs) and the dates
// the file dialog shows are Italian after start-up, on a desktop set up in English, while our
// own message boxes keep their own texts.

#include "app/language.h"
#include "app/screens.h"
#include "common/modaltest.h"
#include "common/testsupport.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

namespace {
// The desktop's own regional setting, as the test process starts.
const QByteArray kDesktopSetting = "en_US.UTF-8";

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (const QAction* a : actions) {
        if (!a->isSeparator())
            out << a->text().section(QLatin1Char('\t'), 0, 0);
    }
    return out;
}

template <typename T> QStringList texts(const QWidget* parent)
{
    QStringList out;
    for (const T* w : parent->findChildren<T*>())
        out << w->text();
    return out;
}
} // namespace

class TestItalian : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void contextMenuIsItalian();
    void standardDialogsAreItalian();
    void fileDatesAreItalian();
    void ourMessageBoxesKeepTheirTexts_data();
    void ourMessageBoxesKeepTheirTexts();

private:
    TempProgramFolder* m_folder = nullptr;
};

void TestItalian::initTestCase()
{
    m_folder = new TempProgramFolder;
    createScreens();
    // The environment is the desktop's again: programs started from here see its settings.
    QCOMPARE(qgetenv("LC_ALL"), kDesktopSetting);
}

void TestItalian::cleanupTestCase()
{
    destroyScreens();
    delete m_folder;
}

void TestItalian::contextMenuIsItalian()
{
    auto* field = screens().frmClienti->findChild<QLineEdit*>(QStringLiteral("txtCognome"));
    QVERIFY(field);
    std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    const QStringList shown = texts(menu->actions());
    for (const char* text : {"Ann&ulla", "&Taglia", "&Copia", "&Incolla", "Seleziona tutto"})
        QVERIFY2(shown.contains(QString::fromUtf8(text)), qPrintable(shown.join(QLatin1Char('|'))));
}

void TestItalian::standardDialogsAreItalian()
{
    QFileDialog files(screens().frmClienti);
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setFileMode(QFileDialog::ExistingFile);
    const QStringList fileTexts = texts<QLabel>(&files) + texts<QPushButton>(&files);
    for (const char* text : {"Cerca in:", "&Nome del file:", "&Apri", "Annulla"})
        QVERIFY2(fileTexts.contains(QString::fromUtf8(text)), qPrintable(fileTexts.join('|')));

    QPrinter printer;
    QPrintDialog print(&printer, screens().frmClienti);
    const QStringList printTexts = texts<QLabel>(&print) + texts<QPushButton>(&print);
    for (const char* text : {"Stam&pa", "Annulla", "P&ropriet\u00e0", "Copie:"})
        QVERIFY2(printTexts.contains(QString::fromUtf8(text)), qPrintable(printTexts.join('|')));
}

void TestItalian::fileDatesAreItalian()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("allegato.pdf"));
    QVERIFY(writeAll(path, "x"));
    const QDateTime when(QDate(2024, 3, 5), QTime(16, 7));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    // The file dialog's "date" column, as its model writes it: day first, 24-hour clock.
    QFileSystemModel model;
    model.setRootPath(dir.path());
    const QString shown = model.data(model.index(path, 3)).toString();
    QCOMPARE(shown, QLocale(QLocale::Italian, QLocale::Italy).toString(when, QLocale::ShortFormat));
    QVERIFY2(shown.startsWith(QLatin1String("05/03/24")) && shown.contains(QLatin1String("16:07")),
             qPrintable(shown));
}

void TestItalian::ourMessageBoxesKeepTheirTexts_data()
{
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QStringList>("buttons");
    const QStringList okCancel{QStringLiteral("OK"), QStringLiteral("Annulla")};
    QTest::newRow("warning") << MessageKind::Warning << okCancel;
    QTest::newRow("error") << MessageKind::Error << okCancel;
    QTest::newRow("information") << MessageKind::Information << okCancel;
    QTest::newRow("confirmation") << MessageKind::Confirmation
                                  << QStringList{QStringLiteral("S\u00ec"), QStringLiteral("No")};
    QTest::newRow("plain") << MessageKind::Plain << QStringList{QStringLiteral("OK")};
}

void TestItalian::ourMessageBoxesKeepTheirTexts()
{
    QFETCH(MessageKind, kind);
    QFETCH(QStringList, buttons);
    QStringList shown;
    QString caption;
    whenModal([&](QWidget* box) {
        QVERIFY(box);
        caption = box->windowTitle();
        for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
            shown << b->text();
    });
    showMessage(screens().frmPassword, kind, QStringLiteral("Attenzione: prova."));
    shown.sort();
    buttons.sort();
    QCOMPARE(shown, buttons);
    QCOMPARE(caption, QStringLiteral("Vestrano"));
}

int main(int argc, char* argv[])
{
    qputenv("LC_ALL", kDesktopSetting);
    // As the program starts.
    ItalianRegionalSettings italian;
    QApplication app(argc, argv);
    italian.release();
    TestItalian test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_italian.moc"
