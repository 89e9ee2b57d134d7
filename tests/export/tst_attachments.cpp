// File attachments: copying into Documenti_Allegati with the overwrite question, a cancelled
// file dialog, the hand-over to the card screen with "Applica e chiudi" and "Annulla", an erased
// slot saved with the card, and names that would lead out of the folder. Copies that fail and
// names the card cannot store are in tests/faults/tst_attachmentfaults.cpp.

#include "common/modaltest.h"
#include "registry/attachments_support.h"

#include "core/registry/attachments.h"
#include "help/openurl.h"
#include "registry/allegacartella.h"
#include "ui/decor.h"
#include "ui/filedialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QtTest/QtTest>

#include <memory>

using F = AnagraficaField;

namespace {

const QString kOverwrite =
    QString::fromUtf8("Attenzione: nella cartella dei documenti allegati è presente un file con "
                      "lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");

// The shared attachment fixture, with every shell open recorded too.
struct Fixture : AttachFixture {
    ShellOpenRecorder shell;
};

} // namespace

class TestAttachments : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void fileDialogShowsEveryFile();
    void browse_data();
    void browse();
    void cancelledDialogEndsTheAction();
    void applyOrCancel_data();
    void applyOrCancel();
    void erasedSlotSavedEmptyWithDescription();
    void openHandsQuotedPathToShell();
    void namesLeadingOutAreRefused_data();
    void namesLeadingOutAreRefused();
};

void TestAttachments::layout()
{
    Fixture f;
    TfrmAllegaCartella* d = f.dialog.get();
    QCOMPARE(d->windowTitle(), QStringLiteral(" Allega file"));
    QCOMPARE(d->size(), QSize(634, 534));
    for (int k = 0; k < 3; ++k) {
        const int dy = 120 * k;
        const QString n = QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'));
        QCOMPARE(slotFile(d, k)->geometry(), QRect(28, 108 + dy, 338, 22));
        QVERIFY(slotFile(d, k)->isReadOnly());
        QCOMPARE(slotEraser(d, k)->geometry(), QRect(370, 108 + dy, 22, 22));
        QVERIFY(slotEraser(d, k)->hasArtwork());
        QCOMPARE(slotBrowse(d, k)->text(), QStringLiteral("Sfoglia..."));
        QCOMPARE(slotBrowse(d, k)->geometry(), QRect(400, 104 + dy, 86, 28));
        QCOMPARE(slotOpen(d, k)->geometry(), QRect(494, 104 + dy, 86, 28));
        QVERIFY(!slotOpen(d, k)->isEnabled());
        QCOMPARE(slotDesc(d, k)->geometry(), QRect(28, 158 + dy, 552, 22));
        auto* caption = d->findChild<QLabel*>(QStringLiteral("lblNome") + n);
        QVERIFY(caption);
        QCOMPARE(caption->text(), QString::fromUtf8("Nome %1° file allegato:").arg(k + 1));
    }
    auto* banner = d->findChild<Picture*>(QStringLiteral("imgIstruzioni"));
    QVERIFY(banner && banner->hasArtwork());
    // The dialog keeps no hidden state label: what it starts from and hands back are values.
    QVERIFY(!d->findChild<QLabel*>(QStringLiteral("lblMemory")));

    // Tab order: per slot name, eraser, "Sfoglia...", "Apri", description; then the buttons.
    QStringList order;
    QWidget* w = slotFile(d, 0);
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != slotFile(d, 0));
    QStringList expected;
    for (const char* n : {"01", "02", "03"}) {
        for (const char* control : {"txtFile", "imgCancella", "btnSfoglia", "btnApri", "txtDesc"})
            expected << QLatin1String(control) + QLatin1String(n);
    }
    expected << QStringLiteral("btnApplica") << QStringLiteral("btnAnnulla");
    QCOMPARE(order, expected);
}

// The real dialog: its only entry reads "Tutti i file (*.*)" and a file without a dot in its
// name is listed too.
void TestAttachments::fileDialogShowsEveryFile()
{
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.path() + QStringLiteral("/LEGGIMI"), "x"));
    QString entry;
    QStringList patterns;
    bool hidesUnmatched = true;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QCOMPARE(types->count(), 1);
        entry = types->currentText();
        auto* model = dialog->findChild<QFileSystemModel*>();
        QVERIFY(model);
        patterns = model->nameFilters();
        hidesUnmatched = !model->nameFilterDisables();
    });
    const QString chosen =
        chooseFileToOpen(nullptr, QStringLiteral("Selezionare il file da allegare:"), dir.path(),
                         QStringLiteral("Tutti i file (*.*)"));
    QCOMPARE(chosen, QString());
    QCOMPARE(entry, QStringLiteral("Tutti i file (*.*)"));
    QVERIFY(hidesUnmatched);
    QVERIFY(QDir::match(patterns, QStringLiteral("LEGGIMI")));
}

void TestAttachments::browse_data()
{
    QTest::addColumn<QByteArray>("inFolder"); // the stored file of that name, if any
    QTest::addColumn<bool>("pickStored");     // the user picks the stored file itself
    QTest::addColumn<int>("answer");          // to the overwrite question
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QByteArray>("afterwards");
    QTest::newRow("new name, folder created")
        << QByteArray() << false << 0 << false << QByteArray("new");
    QTest::newRow("same name, Yes replaces")
        << QByteArray("old") << false << int(MessageAnswer::Yes) << true << QByteArray("new");
    QTest::newRow("same name, No keeps")
        << QByteArray("old") << false << int(MessageAnswer::No) << true << QByteArray("old");
    QTest::newRow("the stored file itself")
        << QByteArray("old") << true << 0 << false << QByteArray("old");
}

void TestAttachments::browse()
{
    QFETCH(QByteArray, inFolder);
    QFETCH(bool, pickStored);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QByteArray, afterwards);
    Fixture f;
    const QString name = QStringLiteral("carta identità.pdf");
    if (!inFolder.isNull()) {
        QVERIFY(QDir().mkpath(f.folder()));
        QVERIFY(writeAll(f.stored(name), inFolder));
    }
    f.card.messages.setNextAnswer(MessageAnswer(answer));
    f.browse(1, pickStored ? f.stored(name) : f.source(name, "new"));

    QCOMPARE(f.files.requests().size(), 1);
    QCOMPARE(f.files.requests().first().caption,
             QStringLiteral("Selezionare il file da allegare:"));
    QCOMPARE(f.files.requests().first().filter, QStringLiteral("Tutti i file (*.*)"));
    QCOMPARE(f.card.messages.count(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.card.messages.last().kind, MessageKind::Confirmation);
        QCOMPARE(f.card.messages.last().text, kOverwrite);
    }
    QCOMPARE(readAll(f.stored(name)), afterwards);
    QCOMPARE(slotFile(f.dialog.get(), 1)->text(), name);
    QVERIFY(slotOpen(f.dialog.get(), 1)->isEnabled());
    QVERIFY(!slotOpen(f.dialog.get(), 0)->isEnabled() && !slotOpen(f.dialog.get(), 2)->isEnabled());
    QCOMPARE(QDir(f.folder()).entryList(QDir::Files), QStringList{name});
}

void TestAttachments::cancelledDialogEndsTheAction()
{
    Fixture f;
    // The slot names a file that is in the folder: a cancelled dialog asks nothing.
    QVERIFY(QDir().mkpath(f.folder()));
    QVERIFY(writeAll(f.stored(QStringLiteral("a.pdf")), "stored"));
    slotFile(f.dialog.get(), 0)->setText(QStringLiteral("a.pdf"));
    f.browse(0, QString());
    QCOMPARE(f.card.messages.count(), 0);
    QCOMPARE(slotFile(f.dialog.get(), 0)->text(), QStringLiteral("a.pdf"));
    QCOMPARE(readAll(f.stored(QStringLiteral("a.pdf"))), QByteArray("stored"));

    // Nor is the folder created by a cancelled dialog.
    Fixture g;
    g.browse(2, QString());
    QVERIFY(!QFileInfo::exists(g.folder()));
    QCOMPARE(slotFile(g.dialog.get(), 2)->text(), QString());
}

void TestAttachments::applyOrCancel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("Applica e chiudi") << "btnApplica" << true;
    QTest::newRow("Annulla") << "btnAnnulla" << false;
}

// From the card screen's "Allega file": "Applica e chiudi" hands the six fields, trimmed, to
// the card; "Annulla" leaves the card's slots as they were.
void TestAttachments::applyOrCancel()
{
    QFETCH(QString, button);
    QFETCH(bool, handedOver);
    Fixture f;
    f.dialog.reset(); // the card screen opens its own
    TfrmClienti* card = f.card.screen.get();
    AnagraficaRecord shown = sampleCard(QStringLiteral("Rossi"));
    shown.set(F::File01, QStringLiteral("vecchio.pdf"));
    shown.set(F::Desc01, QStringLiteral("Vecchio"));
    card->ShowRecord(shown);
    bool opened = false;
    whenModal(
        [&](QWidget* w) {
            auto* d = qobject_cast<TfrmAllegaCartella*>(w);
            QVERIFY(d);
            opened = true;
            QCOMPARE(slotFile(d, 0)->text(), QStringLiteral("vecchio.pdf"));
            f.files.setNextAnswer(f.source(QStringLiteral("nuovo.pdf"), "new"));
            QTest::mouseClick(slotBrowse(d, 0), Qt::LeftButton);
            slotDesc(d, 0)->setText(QStringLiteral("  Documento nuovo  "));
            slotDesc(d, 2)->setText(QStringLiteral("solo descrizione"));
        },
        button);
    card->cmdFileClick();
    QVERIFY(opened);
    QVERIFY(card->findChildren<TfrmAllegaCartella*>().isEmpty());

    QStringList files;
    QStringList descs;
    for (const AttachmentSlot& slot : card->attachments()) {
        files << slot.file;
        descs << slot.desc;
    }
    if (handedOver) {
        QCOMPARE(files, QStringList({"nuovo.pdf", "", ""}));
        QCOMPARE(descs, QStringList({"Documento nuovo", "", "solo descrizione"}));
    } else {
        QCOMPARE(files, QStringList({"vecchio.pdf", "", ""}));
        QCOMPARE(descs, QStringList({"Vecchio", "", ""}));
    }
    // The copy happened at "Sfoglia..." and stays whatever the dialog's ending.
    QCOMPARE(readAll(f.stored(QStringLiteral("nuovo.pdf"))), QByteArray("new"));
    QVERIFY(!QFile::exists(f.card.registry()));
}

void TestAttachments::erasedSlotSavedEmptyWithDescription()
{
    CardScreen card;
    AnagraficaRecord stored = sampleCard(QStringLiteral("Rossi"));
    stored.set(F::File01, QStringLiteral("patente.jpg"));
    stored.set(F::Desc01, QStringLiteral("Patente di guida"));
    stored.set(F::File03, QStringLiteral("ricevuta.pdf"));
    QVERIFY(writeAll(card.registry(), stored.bytes()));
    QVERIFY(QDir().mkpath(card.folder.file(QStringLiteral("Documenti_Allegati"))));
    const QString kept = card.folder.file(QStringLiteral("Documenti_Allegati/patente.jpg"));
    QVERIFY(writeAll(kept, "jpeg"));
    card.screen->imgPrimaClick();
    // A description with blanks around it opens trimmed.
    CardAttachments attached = card.screen->attachments();
    attached[2].desc = QStringLiteral("  Ricevuta  ");
    card.screen->applyAttachments(attached);

    QStringList opened;
    QList<bool> apri;
    whenModal(
        [&](QWidget* w) {
            auto* d = qobject_cast<TfrmAllegaCartella*>(w);
            QVERIFY(d);
            for (int k = 0; k < 3; ++k) {
                opened << slotFile(d, k)->text() << slotDesc(d, k)->text();
                apri << slotOpen(d, k)->isEnabled();
            }
            slotEraser(d, 0)->click();
        },
        QStringLiteral("btnApplica"));
    card.screen->cmdFileClick();
    QCOMPARE(opened,
             QStringList({"patente.jpg", "Patente di guida", "", "", "ricevuta.pdf", "Ricevuta"}));
    QCOMPARE(apri, QList<bool>({true, false, true}));
    QVERIFY(card.screen->findChildren<TfrmAllegaCartella*>().isEmpty());
    QCOMPARE(card.screen->attachments()[0].file, QString());
    // Not saved yet: the card on file still names the attachment.
    QCOMPARE(AnagraficaRecord(readAll(card.registry())).get(F::File01),
             QStringLiteral("patente.jpg"));

    card.screen->cmdSalvaClick();
    const AnagraficaRecord saved(readAll(card.registry()));
    QCOMPARE(saved.get(F::File01), QString());
    QCOMPARE(saved.get(F::Desc01), QStringLiteral("Patente di guida"));
    QCOMPARE(saved.get(F::File03), QStringLiteral("ricevuta.pdf"));
    QCOMPARE(readAll(kept), QByteArray("jpeg"));
}

void TestAttachments::openHandsQuotedPathToShell()
{
    Fixture f;
    const QString name = QStringLiteral("relazione..finale con spazi.pdf");
    slotFile(f.dialog.get(), 2)->setText(QStringLiteral("  ") + name + QStringLiteral(" "));
    QVERIFY(slotOpen(f.dialog.get(), 2)->isEnabled());
    slotOpen(f.dialog.get(), 2)->click();
    QCOMPARE(f.shell.count(), 1);
    QCOMPARE(f.shell.last().command, QLatin1Char('"') + f.stored(name) + QLatin1Char('"'));
    QCOMPARE(f.shell.last().url, QUrl::fromLocalFile(f.stored(name)));
    QCOMPARE(f.card.messages.count(), 0);
}

void TestAttachments::namesLeadingOutAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../Anagrafica.pro";
    QTest::newRow("parent, backslash") << "..\\..\\segreto.txt";
    QTest::newRow("absolute") << "/etc/passwd";
    QTest::newRow("sub-folder") << "sub/x.pdf";
    QTest::newRow("drive path") << "C:\\Windows\\x.exe";
    QTest::newRow("dot dot") << "..";
}

void TestAttachments::namesLeadingOutAreRefused()
{
    QFETCH(QString, name);
    QVERIFY(!isBareFileName(name));
    QVERIFY(attachmentPath(name).isEmpty());

    // A card whose stored name leads out of the folder: "Apri" opens nothing.
    Fixture f;
    slotFile(f.dialog.get(), 0)->setText(name);
    slotOpen(f.dialog.get(), 0)->click();
    QCOMPARE(f.shell.count(), 0);
    QCOMPARE(f.card.messages.count(), 1);
    QCOMPARE(f.card.messages.last().kind, MessageKind::Warning);
    QVERIFY(f.card.messages.last().text.startsWith(QStringLiteral("Attenzione: ")));

    // A picked file whose own name holds a separator (a backslash is an ordinary character of
    // a file name here) is neither named nor copied.
    if (name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/'))) {
        f.card.messages.clear();
        f.browse(1, f.source(name, "x"));
        QCOMPARE(slotFile(f.dialog.get(), 1)->text(), QString());
        QVERIFY(!QFileInfo::exists(f.folder()));
        QCOMPARE(f.card.messages.count(), 1);
    }
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
