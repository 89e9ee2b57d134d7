// Attachments that stay attached: at "Sfoglia..." a name the card cannot store as it is (a
// character outside Windows-1252, more than 250 bytes), anything that is not a regular file (a
// FIFO, which would freeze the program) and a copy into Documenti_Allegati that fails are each
// said in a message; the slot keeps what it named and nothing is left in the folder.

#include "registry/attachments_support.h"

#include "common/hostilefiles.h"

#include "core/registry/attachments.h"
#include "registry/allegacartella.h"
#include "ui/filedialog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest/QtTest>

#include <memory>

#include <sys/stat.h>

using F = AnagraficaField;

namespace {

const QString kNotStorableName = QString::fromUtf8(
    "Attenzione: il nome del file scelto non può essere memorizzato nella scheda anagrafica, che "
    "accetta nomi di al massimo 250 caratteri scritti con lettere latine, cifre e segni comuni "
    "(non, per esempio, lettere cirilliche o polacche come Ł).\r\n\r\nIl file non è stato "
    "allegato: rinominarlo con un nome più breve o con soli caratteri ammessi, quindi sceglierlo "
    "di nuovo.");
const QString kNotRegularFile = QString::fromUtf8(
    "Attenzione: l'elemento scelto non è un file ordinario (è per esempio una cartella, un "
    "dispositivo o una pipe), quindi non può essere allegato.");
const QString kNotAttached = QString::fromUtf8(
    "Attenzione: non è stato possibile allegare il file scelto, perché la copia nella cartella "
    "dei documenti allegati non è riuscita.\r\n\r\nVerificare che il file si possa leggere, che "
    "nella cartella del programma si possa scrivere e che il disco non sia pieno. L'allegato "
    "indicato nella scheda resta quello di prima.");

QStringList entries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

// The attachment dialog of a card screen whose first slot names an attachment already stored,
// with a folder of files to pick from.
struct Fixture : AttachFixture {
    Fixture()
    {
        QDir().mkpath(folder());
        writeAll(stored(QStringLiteral("vecchio.pdf")), "stored");
        slotFile(dialog.get(), 0)->setText(QStringLiteral("vecchio.pdf"));
    }
    // "Applica e chiudi", the card taking the dialog's result as its opening does, then Salva
    // of the card as a new card: what the registry then holds.
    AnagraficaRecord applyAndSave()
    {
        dialog->show();
        named<QPushButton>(dialog.get(), "btnApplica")->click();
        if (dialog->result() == QDialog::Accepted)
            card.screen->applyAttachments(dialog->attachments());
        card.fillCompulsory(QStringLiteral("Rossi"));
        card.screen->cmdSalvaClick();
        return AnagraficaRecord(readAll(card.registry()));
    }
};

} // namespace

class TestAttachmentFaults : public QObject {
    Q_OBJECT

private slots:
    void namesTheCardCannotStore_data();
    void namesTheCardCannotStore();
    void longestNameThatFits();
    void fifoIsRefusedAtOnce();
    void copyThatFailsIsSaid_data();
    void copyThatFailsIsSaid();
};

void TestAttachmentFaults::namesTheCardCannotStore_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Polish letters") << QString::fromUtf8("Łódź.txt");
    QTest::newRow("Cyrillic") << QString::fromUtf8("Документ.txt");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("foto \xF0\x9F\x98\x80.jpg");
    QTest::newRow("251 characters") << QString(247, QLatin1Char('a')) + QStringLiteral(".txt");
}

// Refused at "Sfoglia...", before anything is copied: the slot keeps the attachment it named,
// and the card saved afterwards stores that one, never a name changed on the way ("?ód?.txt")
// or cut short, which would name a file that is not in the folder.
void TestAttachmentFaults::namesTheCardCannotStore()
{
    QFETCH(QString, name);
    QVERIFY(!isStorableAttachmentName(name));
    Fixture f;
    const QString picked = f.source(name, "contenuto");
    QVERIFY(QFileInfo(picked).isFile());
    const QStringList before = entries(f.folder());
    f.browse(1, picked);
    QCOMPARE(f.card.messages.count(), 1);
    QCOMPARE(f.card.messages.last().kind, MessageKind::Warning);
    QCOMPARE(f.card.messages.last().text, kNotStorableName);
    QCOMPARE(slotFile(f.dialog.get(), 1)->text(), QString());
    QCOMPARE(entries(f.folder()), before);

    // Into a slot that names a file: that file stays named.
    f.browse(0, picked);
    QCOMPARE(f.card.messages.count(), 2);
    QCOMPARE(slotFile(f.dialog.get(), 0)->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(entries(f.folder()), before);

    const AnagraficaRecord saved = f.applyAndSave();
    QCOMPARE(saved.get(F::File01), QStringLiteral("vecchio.pdf"));
    QCOMPARE(saved.get(F::File02), QString());
}

// 250 characters of Windows-1252 (an accented letter among them) are a name the card stores
// whole: the file is copied, named in the slot and stored with the card as it is.
void TestAttachmentFaults::longestNameThatFits()
{
    const QString name =
        QString::fromUtf8("è") + QString(245, QLatin1Char('b')) + QStringLiteral(".txt");
    QCOMPARE(name.size(), 250);
    QVERIFY(isStorableAttachmentName(name));
    Fixture f;
    f.browse(1, f.source(name, "contenuto"));
    QCOMPARE(f.card.messages.count(), 0);
    QCOMPARE(slotFile(f.dialog.get(), 1)->text(), name);
    QCOMPARE(readAll(f.stored(name)), QByteArray("contenuto"));
    const AnagraficaRecord saved = f.applyAndSave();
    QCOMPARE(saved.get(F::File02), name);
    QCOMPARE(attachmentPath(saved.get(F::File02)), f.stored(name));
}

// A FIFO picked as the file to attach (or found in place of the file by the copy itself) is
// refused at once: nothing waits for a writer that never comes.
void TestAttachmentFaults::fifoIsRefusedAtOnce()
{
    Fixture f;
    const QString fifo = f.sources.path() + QStringLiteral("/coda.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QStringList before = entries(f.folder());
    {
        FifoRescuer rescuer(fifo);
        QElapsedTimer clock;
        clock.start();
        f.browse(1, fifo);
        QVERIFY2(clock.elapsed() < 2000, "Sfoglia... waited on the FIFO");
        const WriteResult copied = copyReplacing(fifo, f.stored(QStringLiteral("coda.txt")));
        QVERIFY(!copied);
        QVERIFY(!copied.error().isEmpty());
        QVERIFY2(clock.elapsed() < 2000, "the copy waited on the FIFO");
        QVERIFY(!rescuer.freed());
    }
    QCOMPARE(f.card.messages.count(), 1);
    QCOMPARE(f.card.messages.last().kind, MessageKind::Warning);
    QCOMPARE(f.card.messages.last().text, kNotRegularFile);
    QCOMPARE(slotFile(f.dialog.get(), 1)->text(), QString());
    QCOMPARE(entries(f.folder()), before);
}

enum class CopyFault {
    FileInPlaceOfTheFolder,
    ReadOnlyProgramFolder,
    ReadOnlyFolder,
    UnreadableSource,
    DiskFull
};

void TestAttachmentFaults::copyThatFailsIsSaid_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("a file where the folder should be") << int(CopyFault::FileInPlaceOfTheFolder);
    QTest::newRow("program folder that takes no new folder")
        << int(CopyFault::ReadOnlyProgramFolder);
    QTest::newRow("attachment folder that takes no new file") << int(CopyFault::ReadOnlyFolder);
    QTest::newRow("source that cannot be read") << int(CopyFault::UnreadableSource);
    QTest::newRow("disk full halfway through the copy") << int(CopyFault::DiskFull);
}

// The copy fails: the user is told the file could not be attached, the slot names what it
// named before (the card then stores that), and the folder holds what it held.
void TestAttachmentFaults::copyThatFailsIsSaid()
{
    QFETCH(int, fault);
    Fixture f;
    const QString picked = f.source(QStringLiteral("nuovo.pdf"), QByteArray(5000, 'n'));
    openToAll(f.card.folder.path());
    openToAll(f.sources.path());
    openToAll(picked);
    slotFile(f.dialog.get(), 2)->setText(QStringLiteral("terzo.pdf"));

    switch (CopyFault(fault)) {
    case CopyFault::FileInPlaceOfTheFolder:
    case CopyFault::ReadOnlyProgramFolder:
        QVERIFY(QDir(f.folder()).removeRecursively());
        if (CopyFault(fault) == CopyFault::FileInPlaceOfTheFolder)
            QVERIFY(writeAll(f.folder(), "not a folder"));
        break;
    case CopyFault::ReadOnlyFolder:
    case CopyFault::UnreadableSource:
    case CopyFault::DiskFull:
        openToAll(f.folder());
        break;
    }
    const QStringList programBefore = entries(f.card.folder.path());
    const QStringList before = entries(f.folder());

    if (CopyFault(fault) == CopyFault::ReadOnlyProgramFolder)
        setMode(f.card.folder.path(), 0555);
    if (CopyFault(fault) == CopyFault::ReadOnlyFolder)
        setMode(f.folder(), 0555);
    if (CopyFault(fault) == CopyFault::UnreadableSource)
        setMode(picked, 0);
    {
        AsOrdinaryUser user;
        if (CopyFault(fault) == CopyFault::DiskFull) {
            FileSizeLimit limit(1000);
            f.browse(0, picked);
            f.browse(1, picked);
        } else {
            f.browse(0, picked);
            f.browse(1, picked);
        }
    }
    setMode(f.card.folder.path(), 0777);
    if (QFileInfo(f.folder()).isDir())
        setMode(f.folder(), 0777);

    QCOMPARE(f.card.messages.count(), 2);
    for (const ShownMessage& m : f.card.messages.messages()) {
        QCOMPARE(m.kind, MessageKind::Warning);
        QCOMPARE(m.text, kNotAttached);
    }
    QCOMPARE(slotFile(f.dialog.get(), 0)->text(), QStringLiteral("vecchio.pdf"));
    QCOMPARE(slotFile(f.dialog.get(), 1)->text(), QString());
    QCOMPARE(slotFile(f.dialog.get(), 2)->text(), QStringLiteral("terzo.pdf"));
    QCOMPARE(entries(f.card.folder.path()), programBefore);
    if (CopyFault(fault) == CopyFault::FileInPlaceOfTheFolder)
        QCOMPARE(readAll(f.folder()), QByteArray("not a folder"));
    else
        QCOMPARE(entries(f.folder()), before);

    const AnagraficaRecord saved = f.applyAndSave();
    QCOMPARE(saved.get(F::File01), QStringLiteral("vecchio.pdf"));
    QCOMPARE(saved.get(F::File02), QString());
    QCOMPARE(saved.get(F::File03), QStringLiteral("terzo.pdf"));
}

QTEST_MAIN(TestAttachmentFaults)
#include "tst_attachmentfaults.moc"
