// The card operations of the registry card screen against Anagrafica.pro, checked on the bytes:
// the four moves, New, Save (compulsory fields, append, in place), Duplicate, and the access
// failure when the file cannot be written.

#include "cardscreen_support.h"

#include "core/registry/personlist.h"
#include "core/registry/registry.h"
#include "core/storage/fixedtext.h"
#include "register/menucamere.h"
#include "registry/clientifields.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QtTest/QtTest>

using F = AnagraficaField;

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QString::fromUtf8("La scheda corrente è stata inserita in archivio.");
const QString kChanged =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

constexpr int S = AnagraficaRecord::kSize;

AnagraficaRecord recordAt(const QByteArray& file, int index)
{
    return AnagraficaRecord(file.mid(index * S, S));
}

// The first field of the record with a byte other than zero after its value; empty when none.
QString fieldWithBytesAfterItsValue(const AnagraficaRecord& record)
{
    for (const AnagraficaFieldInfo& f : AnagraficaRecord::fields()) {
        const int length = static_cast<unsigned char>(record.bytes().at(f.offset));
        const QByteArray rest = record.bytes().mid(f.offset + 1 + length, f.capacity - length);
        if (rest.count('\0') != rest.size())
            return QString::fromLatin1(f.name);
    }
    return QString();
}

} // namespace

class TestClientiArchivio : public QObject {
    Q_OBJECT

private slots:
    void init() { m_card = std::make_unique<CardScreen>(); }
    void cleanup() { m_card.reset(); }

    void movesOnEmptyOrMissingFile_data();
    void movesOnEmptyOrMissingFile();
    void movesThroughThreeCards();
    void recontactBoxOnShowing();
    void compulsoryFields_data();
    void compulsoryFields();
    void newSaveSaveAgainDuplicateSave();
    void saveAppendsAfterTrailingPart();
    void readOnlyFileLosesNothing();
    void erasedDataLeavesNoTrace();
    void storedCardBeyondEndOfFileWritesNoGap();
    void savedCardsAreListedForTheRegister();

private:
    std::unique_ptr<CardScreen> m_card;
};

void TestClientiArchivio::movesOnEmptyOrMissingFile_data()
{
    QTest::addColumn<int>("move");
    QTest::addColumn<bool>("fileExists");
    const char* names[] = {"first", "previous", "next", "last"};
    for (int move = 0; move < 4; ++move) {
        QTest::addRow("%s, missing file", names[move]) << move << false;
        QTest::addRow("%s, empty file", names[move]) << move << true;
    }
}

void TestClientiArchivio::movesOnEmptyOrMissingFile()
{
    QFETCH(int, move);
    QFETCH(bool, fileExists);
    if (fileExists)
        QVERIFY(writeAll(m_card->registry(), QByteArray()));
    TfrmClienti* s = m_card->screen.get();
    m_card->set(F::Cognome, QStringLiteral("Bozza"));
    const std::array<void (TfrmClienti::*)(), 4> moves = {
        &TfrmClienti::imgPrimaClick, &TfrmClienti::imgPrecedenteClick,
        &TfrmClienti::imgSuccessivaClick, &TfrmClienti::imgUltimaClick};
    (s->*moves[size_t(move)])();
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Information);
    QCOMPARE(m_card->messages.last().text, kEmptyArchive);
    QVERIFY(QFile::exists(m_card->registry()));
    QCOMPARE(QFileInfo(m_card->registry()).size(), 0);
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Bozza"));
    QCOMPARE(m_card->position(), QString());
}

void TestClientiArchivio::movesThroughThreeCards()
{
    QVERIFY(writeAll(m_card->registry(),
                     cardsFile({sampleCard("Uno"), sampleCard("Due"), sampleCard("Tre")})));
    TfrmClienti* s = m_card->screen.get();
    struct Step {
        void (TfrmClienti::*move)();
        const char* surname;
        const char* position;
    };
    const Step steps[] = {
        {&TfrmClienti::imgSuccessivaClick, "Uno", "1"}, // from a new card: the first
        {&TfrmClienti::imgSuccessivaClick, "Due", "2"},
        {&TfrmClienti::imgUltimaClick, "Tre", "3"},
        {&TfrmClienti::imgSuccessivaClick, "Tre", "3"}, // on the last: nothing
        {&TfrmClienti::imgPrecedenteClick, "Due", "2"},
        {&TfrmClienti::imgPrimaClick, "Uno", "1"},
        {&TfrmClienti::imgPrecedenteClick, "Uno", "1"}, // on the first: nothing
        {&TfrmClienti::cmdNuovoClick, "", ""},
        {&TfrmClienti::imgPrecedenteClick, "Uno", "1"}, // from a new card: the first
    };
    for (const Step& step : steps) {
        (s->*step.move)();
        QCOMPARE(m_card->text(F::Cognome), QString::fromLatin1(step.surname));
        QCOMPARE(m_card->position(), QString::fromLatin1(step.position));
    }
    QCOMPARE(m_card->messages.count(), 0);
    QCOMPARE(m_card->text(F::Conducente), QStringLiteral("Segreteria"));
    QCOMPARE(m_card->focusName(), QStringLiteral("txtCognome")); // New put the focus there
}

void TestClientiArchivio::recontactBoxOnShowing()
{
    // Card 1 holds neither "Sì" nor "No": showing it leaves the box as it was.
    QVERIFY(writeAll(m_card->registry(), cardsFile({sampleCard("Uno", "forse"),
                                                    sampleCard("Due", QString::fromUtf8("Sì")),
                                                    sampleCard("Tre", "No")})));
    TfrmClienti* s = m_card->screen.get();
    QCheckBox* box = m_card->ricontatta();
    s->cmdNuovoClick();
    s->imgPrimaClick();
    QVERIFY(!box->isChecked());
    s->imgSuccessivaClick();
    QVERIFY(box->isChecked());
    s->imgPrecedenteClick();
    QVERIFY(box->isChecked());
    s->imgUltimaClick();
    QVERIFY(!box->isChecked());
}

void TestClientiArchivio::compulsoryFields_data()
{
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("blankText");
    QTest::addColumn<QString>("message");
    const QString start =
        QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare ");
    QTest::newRow("surname of blanks") << int(F::Cognome) << "   " << start + "il cognome.";
    QTest::newRow("name") << int(F::Nome) << "" << start + "il nome.";
    QTest::newRow("telephone") << int(F::Recapito) << ""
                               << start + "il recapito telefonico preferenziale.";
    QTest::newRow("codice fiscale") << int(F::CodFisc) << "" << start + "il codice fiscale.";
    QTest::newRow("duties") << int(F::Conducente) << "\t"
                            << start + "le principali mansioni svolte.";
}

void TestClientiArchivio::compulsoryFields()
{
    QFETCH(int, blank);
    QFETCH(QString, blankText);
    QFETCH(QString, message);
    m_card->fillCompulsory(QStringLiteral("Rossi"));
    m_card->set(F(blank), blankText);
    // Fields after the blank one are checked only once it is filled.
    if (F(blank) == F::Nome)
        m_card->set(F::Conducente, QString());
    m_card->screen->cmdSalvaClick();
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Warning);
    QCOMPARE(m_card->messages.last().text, message);
    QCOMPARE(m_card->focusName(), QStringLiteral("txt") + AnagraficaRecord::info(F(blank)).name);
    QVERIFY(!QFile::exists(m_card->registry()));
    QCOMPARE(m_card->position(), QString());
}

void TestClientiArchivio::newSaveSaveAgainDuplicateSave()
{
    TfrmClienti* s = m_card->screen.get();
    const QString file = m_card->registry();

    // A new card: appended as card 1, stored trimmed, shown as typed.
    m_card->fillCompulsory(QStringLiteral("  Rossi  "));
    s->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().kind, MessageKind::Information);
    QCOMPARE(m_card->messages.last().text, kInserted);
    QCOMPARE(m_card->position(), QStringLiteral("1"));
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("  Rossi  "));
    QByteArray bytes = readAll(file);
    QCOMPARE(bytes.size(), S);
    QCOMPARE(bytes.mid(0, 6), QByteArray("\x05Rossi"));
    QCOMPARE(bytes.mid(1642, 3), QByteArray("\x02No"));

    // Changed and saved again: the same record, in place.
    m_card->set(F::Cognome, QStringLiteral("Rossini"));
    m_card->set(F::Ditta, QString::fromUtf8("Caffè & Co"));
    m_card->ricontatta()->setChecked(true);
    s->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().text, kChanged);
    QCOMPARE(m_card->position(), QStringLiteral("1"));
    bytes = readAll(file);
    QCOMPARE(bytes.size(), S);
    QCOMPARE(bytes.mid(0, 8), QByteArray("\x07Rossini"));
    QCOMPARE(bytes.mid(102, 11), QByteArray("\x0A"
                                            "Caff\xE8 & Co"));
    QCOMPARE(bytes.mid(1642, 3), QByteArray("\x02\x53\xEC"));

    // A shorter value leaves nothing of the old one behind it in the record.
    m_card->set(F::Cognome, QStringLiteral("Ros"));
    s->cmdSalvaClick();
    bytes = readAll(file);
    QCOMPARE(bytes.mid(0, 51), QByteArray("\x03Ros") + QByteArray(47, '\0'));
    QCOMPARE(recordAt(bytes, 0).get(F::Cognome), QStringLiteral("Ros"));

    // Duplicate: same data, no attachments, a new card until saved.
    s->applyAttachments({{{QStringLiteral("contratto.pdf"), QStringLiteral("Contratto")}}});
    m_card->control(F::Note)->setFocus();
    s->cmdDuplicaClick();
    QCOMPARE(m_card->messages.last().kind, MessageKind::Information);
    QCOMPARE(
        m_card->messages.last().text,
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                       "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."));
    QCOMPARE(m_card->position(), QString());
    QCOMPARE(s->attachments()[0].file, QString());
    QCOMPARE(s->attachments()[0].desc, QString());
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Ros"));
    QVERIFY(m_card->ricontatta()->isChecked());
    QCOMPARE(m_card->focusName(), QStringLiteral("txtCognome"));
    QCOMPARE(readAll(file), bytes); // Duplicate writes nothing

    s->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().text, kInserted);
    QCOMPARE(m_card->position(), QStringLiteral("2"));
    bytes = readAll(file);
    QCOMPARE(bytes.size(), 2 * S);
    const AnagraficaRecord copy = recordAt(bytes, 1);
    QCOMPARE(copy.get(F::Cognome), QStringLiteral("Ros"));
    QCOMPARE(copy.get(F::Ditta), QString::fromUtf8("Caffè & Co"));
    QCOMPARE(copy.get(F::File01), QString());
    QCOMPARE(copy.get(F::Ricontatta), QString::fromUtf8("Sì"));

    // Duplicate of a new card only warns.
    s->cmdNuovoClick();
    const int shown = m_card->messages.count();
    m_card->set(F::Cognome, QStringLiteral("Nuova"));
    s->cmdDuplicaClick();
    QCOMPARE(m_card->messages.count(), shown + 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Warning);
    QCOMPARE(m_card->messages.last().text,
             QString::fromUtf8("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                               "dopo che questa è stata inserita in archivio."));
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Nuova"));

    // Attachments travel with the card: saved and shown again.
    s->imgPrimaClick();
    CardAttachments attached;
    attached[2] = {QStringLiteral("  foto.jpg "), QStringLiteral("Foto")};
    s->applyAttachments(attached);
    s->cmdSalvaClick();
    QCOMPARE(recordAt(readAll(file), 0).get(F::File03), QStringLiteral("foto.jpg"));
    s->cmdNuovoClick();
    QCOMPARE(s->attachments()[2].file, QString());
    s->imgPrimaClick();
    QCOMPARE(s->attachments()[2].file, QStringLiteral("foto.jpg"));
    QCOMPARE(s->attachments()[2].desc, QStringLiteral("Foto"));
}

void TestClientiArchivio::saveAppendsAfterTrailingPart()
{
    // Three cards and a trailing part that is not a card: a new card goes at byte 9453.
    QVERIFY(writeAll(m_card->registry(),
                     cardsFile({sampleCard("Uno"), sampleCard("Due"), sampleCard("Tre")})
                         + QByteArray(100, 'z')));
    m_card->fillCompulsory(QStringLiteral("Quattro"));
    m_card->screen->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().text, kInserted);
    QCOMPARE(m_card->position(), QStringLiteral("4"));
    const QByteArray bytes = readAll(m_card->registry());
    QCOMPARE(bytes.size(), 12604);
    QCOMPARE(bytes.mid(9453, 8), QByteArray("\x07Quattro"));
    QCOMPARE(recordAt(bytes, 2).get(F::Cognome), QStringLiteral("Tre"));
}

void TestClientiArchivio::readOnlyFileLosesNothing()
{
    const QByteArray original = cardsFile({sampleCard("Uno"), sampleCard("Due")});
    QVERIFY(writeAll(m_card->registry(), original));
    TfrmClienti* s = m_card->screen.get();
    s->imgUltimaClick();
    QCOMPARE(m_card->position(), QStringLiteral("2"));
    openToAll(m_card->folder.path());
    setMode(m_card->registry(), 0444);
    m_card->messages.clear();
    {
        AsOrdinaryUser user;
        m_card->set(F::Cognome, QStringLiteral("Cambiato"));
        s->cmdSalvaClick(); // in place
        s->cmdNuovoClick();
        m_card->fillCompulsory(QStringLiteral("Nuovo"));
        s->cmdSalvaClick(); // appended
        s->imgPrimaClick(); // reading needs no right to write
    }
    setMode(m_card->registry(), 0644);
    QCOMPARE(m_card->messages.count(), 2);
    for (const ShownMessage& m : m_card->messages.messages()) {
        QCOMPARE(m.kind, MessageKind::Error);
        QCOMPARE(m.text, kAccessFailureMessage);
    }
    QCOMPARE(readAll(m_card->registry()), original);
    QCOMPARE(m_card->position(), QStringLiteral("1"));
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Uno"));
}

// What the user erased or shortened, and what the card shown before a new one held, is gone
// from the file: every byte after a value is zero.
void TestClientiArchivio::erasedDataLeavesNoTrace()
{
    TfrmClienti* s = m_card->screen.get();
    m_card->fillCompulsory(QStringLiteral("Bianchi"));
    m_card->set(F::Email, QStringLiteral("giovanni.bianchi@example.it"));
    m_card->set(F::Note, QStringLiteral("Allergia alle arachidi"));
    QTest::mouseClick(s->findChild<QWidget*>(QStringLiteral("cmdSalva")), Qt::LeftButton);

    // A new card typed after it, with shorter values and no note.
    QTest::mouseClick(s->findChild<QWidget*>(QStringLiteral("cmdNuovo")), Qt::LeftButton);
    m_card->fillCompulsory(QStringLiteral("Verdi"));
    QTest::mouseClick(s->findChild<QWidget*>(QStringLiteral("cmdSalva")), Qt::LeftButton);

    // The first card shortened and cleared.
    QTest::mouseClick(s->findChild<QWidget*>(QStringLiteral("imgPrima")), Qt::LeftButton);
    QCOMPARE(m_card->text(F::Note), QStringLiteral("Allergia alle arachidi"));
    m_card->set(F::Cognome, QStringLiteral("Bia"));
    m_card->set(F::Email, QString());
    m_card->set(F::Note, QString());
    QTest::mouseClick(s->findChild<QWidget*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
    QCOMPARE(m_card->messages.count(), 3);
    QCOMPARE(m_card->messages.last().text, kChanged);

    const QByteArray bytes = readAll(m_card->registry());
    QCOMPARE(bytes.size(), 2 * S);
    QCOMPARE(recordAt(bytes, 0).get(F::Cognome), QStringLiteral("Bia"));
    QCOMPARE(recordAt(bytes, 1).get(F::Cognome), QStringLiteral("Verdi"));
    for (const char* gone : {"Bianchi", "giovanni", "arachidi"})
        QVERIFY2(!bytes.contains(gone), gone);
    QCOMPARE(fieldWithBytesAfterItsValue(recordAt(bytes, 0)), QString());
    QCOMPARE(fieldWithBytesAfterItsValue(recordAt(bytes, 1)), QString());
}

void TestClientiArchivio::storedCardBeyondEndOfFileWritesNoGap()
{
    // Card 5 on screen, but the file was cut to three cards meanwhile.
    const QByteArray original =
        cardsFile({sampleCard("Uno"), sampleCard("Due"), sampleCard("Tre")});
    QVERIFY(writeAll(m_card->registry(), original));
    m_card->fillCompulsory(QStringLiteral("Cinque"));
    m_card->screen->setCardNumber(5);
    m_card->screen->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().kind, MessageKind::Error);
    QCOMPARE(m_card->messages.last().text, kAccessFailureMessage);
    QCOMPARE(readAll(m_card->registry()), original);
    QCOMPARE(m_card->position(), QStringLiteral("5"));

    // Previous from there has no card to show either.
    m_card->screen->imgPrecedenteClick();
    QCOMPARE(m_card->messages.count(), 2);
    QCOMPARE(m_card->messages.last().text, kAccessFailureMessage);
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Cinque"));
}

void TestClientiArchivio::savedCardsAreListedForTheRegister()
{
    TfrmClienti* s = m_card->screen.get();
    m_card->fillCompulsory(QStringLiteral("Verdi"));
    s->cmdSalvaClick();
    s->cmdDuplicaClick();
    m_card->set(F::Cognome, QStringLiteral("  Bianchi "));
    m_card->set(F::Nome, QStringLiteral("Carla"));
    s->cmdSalvaClick();
    s->imgPrimaClick();
    m_card->set(F::Conducente, QStringLiteral("Contabilit\u00e0"));
    s->cmdSalvaClick();
    QCOMPARE(m_card->position(), QStringLiteral("1"));
    QCOMPARE(QFileInfo(m_card->registry()).size(), 2 * S);

    TfrmMenuCamere selection;
    selection.show();
    QStringList listed;
    auto* list = selection.findChild<QListWidget*>(QStringLiteral("lstRecords"));
    for (int i = 0; i < list->count(); ++i)
        listed << list->item(i)->text();
    const QByteArray bytes = readAll(m_card->registry());
    QStringList expected = {personListLine(recordAt(bytes, 0)), personListLine(recordAt(bytes, 1))};
    listed.sort();
    expected.sort();
    QCOMPARE(listed, expected);
    QVERIFY(listed.first().startsWith(QStringLiteral("Bianchi Carla ")));
    QVERIFY(listed.last().contains(QString::fromUtf8("Mansioni: Contabilità")));
}

QTEST_MAIN(TestClientiArchivio)
#include "tst_clientiarchivio.moc"
