#include "generator.h"

#include "core/register/yearfile.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/listline.h"
#include "core/storage/text.h"
#include "core/validators/cardcheck.h"
#include "core/validators/codfisccheck.h"
#include "core/validators/ibancheck.h"
#include "core/validators/partitaivacheck.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>

#include <random>

namespace {

const char* const kSurnames[] = {
    "Rossi",     "Russo",     "Ferrari",    "Esposito",   "Bianchi",    "Romano",     "Colombo",
    "Ricci",     "Marino",    "Greco",      "Bruno",      "Gallo",      "Conti",      "De Luca",
    "Mancini",   "Costa",     "Giordano",   "Rizzo",      "Lombardi",   "Moretti",    "Barbieri",
    "Fontana",   "Santoro",   "Mariani",    "Rinaldi",    "Caruso",     "Ferrara",    "Galli",
    "Martini",   "Leone",     "Longo",      "Gentile",    "Martinelli", "Vitale",     "Lombardo",
    "Serra",     "Coppola",   "De Santis",  "D'Angelo",   "Marchetti",  "Parisi",     "Villa",
    "Conte",     "Ferraro",   "Ferri",      "Fabbri",     "Bianco",     "Marini",     "Grasso",
    "Valentini", "Messina",   "Sala",       "De Angelis", "Gatti",      "Pellegrini", "Palumbo",
    "Sanna",     "Farina",    "Rizzi",      "Monti",      "Cattaneo",   "Morelli",    "Amato",
    "Silvestri", "Mazza",     "Testa",      "Grassi",     "Pellegrino", "Carbone",    "Giuliani",
    "Benedetti", "Barone",    "Rossini",    "De Rossi",   "Dell'Acqua", "Sartori",    "Caputo",
    "Fiore",     "De Simone", "Bellini",    "Montanari",  "Guerra",     "Riva",       "Donati",
    "Bernardi",  "Orlando",   "Cantù",      "Negri",      "Basile",     "Fumagalli",  "Neri",
    "Zanetti",   "Bassi",     "Sorrentino", "Piras",      "Melis",      "Cocco",      "Pagano",
    "Ruggiero",  "Brambilla",
};

struct FirstName {
    const char* name;
    bool female;
};
const FirstName kFirstNames[] = {
    {"Giuseppe", false},   {"Giovanni", false},  {"Antonio", false},   {"Mario", false},
    {"Luigi", false},      {"Francesco", false}, {"Angelo", false},    {"Vincenzo", false},
    {"Pietro", false},     {"Salvatore", false}, {"Carlo", false},     {"Franco", false},
    {"Domenico", false},   {"Bruno", false},     {"Paolo", false},     {"Michele", false},
    {"Giorgio", false},    {"Aldo", false},      {"Sergio", false},    {"Luciano", false},
    {"Alessandro", false}, {"Andrea", false},    {"Marco", false},     {"Matteo", false},
    {"Lorenzo", false},    {"Davide", false},    {"Simone", false},    {"Federico", false},
    {"Niccolò", false},    {"Gabriele", false},  {"Riccardo", false},  {"Stefano", false},
    {"Maria", true},       {"Anna", true},       {"Giuseppina", true}, {"Rosa", true},
    {"Angela", true},      {"Giovanna", true},   {"Teresa", true},     {"Lucia", true},
    {"Carmela", true},     {"Caterina", true},   {"Francesca", true},  {"Antonella", true},
    {"Giulia", true},      {"Sofia", true},      {"Aurora", true},     {"Alice", true},
    {"Ginevra", true},     {"Emma", true},       {"Chiara", true},     {"Martina", true},
    {"Sara", true},        {"Elena", true},      {"Laura", true},      {"Valentina", true},
    {"Federica", true},    {"Silvia", true},     {"Paola", true},      {"Noemi", true},
    {"Beatrice", true},    {"Ilaria", true},
};

struct City {
    const char* name;
    const char* province;
    const char* cap;
    const char* belfiore;
    const char* areaCode;
};
const City kCities[] = {
    {"Roma", "RM", "00184", "H501", "06"},
    {"Milano", "MI", "20121", "F205", "02"},
    {"Napoli", "NA", "80133", "F839", "081"},
    {"Torino", "TO", "10121", "L219", "011"},
    {"Palermo", "PA", "90133", "G273", "091"},
    {"Genova", "GE", "16121", "D969", "010"},
    {"Bologna", "BO", "40121", "A944", "051"},
    {"Firenze", "FI", "50122", "D612", "055"},
    {"Bari", "BA", "70121", "A662", "080"},
    {"Catania", "CT", "95121", "C351", "095"},
    {"Venezia", "VE", "30121", "L736", "041"},
    {"Verona", "VR", "37121", "L781", "045"},
    {"Messina", "ME", "98122", "F158", "090"},
    {"Padova", "PD", "35122", "G224", "049"},
    {"Trieste", "TS", "34121", "L424", "040"},
    {"Brescia", "BS", "25121", "B157", "030"},
    {"Parma", "PR", "43121", "G337", "0521"},
    {"Taranto", "TA", "74121", "L049", "099"},
    {"Prato", "PO", "59100", "G999", "0574"},
    {"Modena", "MO", "41121", "F257", "059"},
    {"Reggio Calabria", "RC", "89121", "H224", "0965"},
    {"Reggio Emilia", "RE", "42121", "H223", "0522"},
    {"Perugia", "PG", "06121", "G478", "075"},
    {"Livorno", "LI", "57121", "E625", "0586"},
    {"Ravenna", "RA", "48121", "H199", "0544"},
    {"Cagliari", "CA", "09124", "B354", "070"},
    {"Foggia", "FG", "71121", "D643", "0881"},
    {"Rimini", "RN", "47921", "H294", "0541"},
    {"Salerno", "SA", "84121", "H703", "089"},
    {"Ferrara", "FE", "44121", "D548", "0532"},
    {"Sassari", "SS", "07100", "I452", "079"},
    {"Latina", "LT", "04100", "E472", "0773"},
    {"Monza", "MB", "20900", "F704", "039"},
    {"Siracusa", "SR", "96100", "I754", "0931"},
    {"Pescara", "PE", "65121", "G482", "085"},
    {"Bergamo", "BG", "24121", "A794", "035"},
    {"Vicenza", "VI", "36100", "L840", "0444"},
    {"Trento", "TN", "38122", "L378", "0461"},
    {"Bolzano", "BZ", "39100", "A952", "0471"},
    {"Novara", "NO", "28100", "F952", "0321"},
    {"Ancona", "AN", "60121", "A271", "071"},
    {"Lecce", "LE", "73100", "E506", "0832"},
    {"Udine", "UD", "33100", "L483", "0432"},
    {"Arezzo", "AR", "52100", "A390", "0575"},
    {"La Spezia", "SP", "19121", "E463", "0187"},
    {"Pisa", "PI", "56121", "G702", "050"},
    {"Como", "CO", "22100", "C933", "031"},
    {"Lucca", "LU", "55100", "E715", "0583"},
    {"Treviso", "TV", "31100", "L407", "0422"},
    {"Varese", "VA", "21100", "L682", "0332"},
    {"Asti", "AT", "14100", "A479", "0141"},
    {"Cremona", "CR", "26100", "D150", "0372"},
    {"Pavia", "PV", "27100", "G388", "0382"},
    {"Siena", "SI", "53100", "I726", "0577"},
    {"Potenza", "PZ", "85100", "G942", "0971"},
    {"Campobasso", "CB", "86100", "B519", "0874"},
    {"Aosta", "AO", "11100", "A326", "0165"},
    {"L'Aquila", "AQ", "67100", "A345", "0862"},
    {"Forlì", "FC", "47121", "D704", "0543"},
    {"Cantù", "CO", "22063", "B639", "031"},
};

const char* const kStreets[] = {
    "Via Roma",
    "Via Garibaldi",
    "Corso Italia",
    "Via Mazzini",
    "Via Verdi",
    "Piazza Dante",
    "Via Cavour",
    "Viale della Repubblica",
    "Via XX Settembre",
    "Via Marconi",
    "Via Manzoni",
    "Corso Vittorio Emanuele",
    "Via Dante Alighieri",
    "Via dei Mille",
    "Piazza del Popolo",
    "Via San Francesco",
    "Via Gramsci",
    "Viale Europa",
    "Via Leopardi",
    "Via Carducci",
};

const char* const kFirms[] = {
    "Trasporti Rapidi S.r.l.",        "Edilizia Moderna S.p.A.",      "Logistica Nord S.r.l.",
    "Cooperativa Sociale Il Ponte",   "Autonoleggi Sud S.n.c.",       "Pulizie Brillanti S.r.l.",
    "Magazzini Generali S.p.A.",      "Studio Tecnico Associato",     "Ristorante Da Gino",
    "Officina Meccanica F.lli Bruno", "Associazione Sportiva Aurora", "Impianti Elettrici S.r.l.",
};

const char* const kDuties[] = {
    "Autista mezzi pesanti",
    "Magazziniere",
    "Impiegata amministrativa",
    "Addetto alle consegne",
    "Operaio specializzato",
    "Capocantiere",
    "Addetta alle pulizie",
    "Cuoco",
    "Cameriere",
    "Elettricista",
    "Idraulico",
    "Carrellista",
    "Responsabile di magazzino",
    "Centralinista",
    "Contabile",
    "Manutentore",
    "Autista di scuolabus",
    "Istruttore sportivo",
    "Segretaria",
    "Tecnico informatico",
};

const char* const kIssues[] = {
    "Richiamare per il rinnovo del contratto",   "Attende conferma dei turni di dicembre",
    "Consegnare copia del documento aggiornato", "Chiarire le ore di straordinario di marzo",
    "Richiede un colloquio con il responsabile", "Verificare il certificato medico",
};

const char* const kNotes[] = {
    "Disponibile anche il sabato mattina",
    "Preferisce essere contattato dopo le 17",
    "Patente C in corso di rinnovo",
    "Part-time verticale",
    "Socio dal 2015",
    "Ha chiesto le ferie ad agosto",
    "Referente per la sicurezza",
};

const char* const kDocuments[] = {"Carta d'identità", "Patente di guida", "Passaporto"};

const char* const kActivities[] = {
    "Consegne zona Nord con il furgone 3",    "Inventario del magazzino",
    "Carico e scarico merci in banchina",     "Ufficio: fatturazione clienti",
    "Cantiere di via Roma: getto del solaio", "Turno mattina in cucina",
    "Manutenzione impianto di riscaldamento", "Formazione sulla sicurezza",
    "Trasferta a Milano presso il cliente",   "Pulizia uffici secondo piano",
    "Accompagnamento scolastico linea 2",     "Riunione di coordinamento",
};

const char kMonthLetters[] = "ABCDEHLMPRST";

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool chance(int percent) { return below(100) < percent; }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QLatin1Char(char('0' + below(10)));
        return s;
    }
    template <typename T, size_t N> const T& pick(const T (&table)[N])
    {
        return table[size_t(below(int(N)))];
    }

private:
    std::mt19937 m_engine;
};

// The letters of a name in capitals, accents taken off, everything else dropped.
QString plainLetters(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QString base = c.decomposition().isEmpty() ? QString(c) : c.decomposition().left(1);
        const QChar b = base.at(0).toUpper();
        if (b >= QLatin1Char('A') && b <= QLatin1Char('Z'))
            out += b;
    }
    return out;
}

bool isVowel(QChar c)
{
    return QStringLiteral("AEIOU").contains(c);
}

QString nameCode(const QString& text, bool firstName)
{
    const QString letters = plainLetters(text);
    QString consonants;
    QString vowels;
    for (const QChar c : letters)
        (isVowel(c) ? vowels : consonants) += c;
    if (firstName && consonants.size() >= 4)
        return QString(consonants.at(0)) + consonants.at(2) + consonants.at(3);
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

// The check character found through the validator itself.
QString withCheckChar(const QString& first15)
{
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString candidate = first15 + QLatin1Char(c);
        if (CodFiscCheckChar(candidate))
            return candidate;
    }
    return first15 + QLatin1Char('X');
}

QString codiceFiscale(const QString& surname, const QString& name, bool female, const QDate& birth,
                      const City& city)
{
    const int day = birth.day() + (female ? 40 : 0);
    const QString first15 = nameCode(surname, false) + nameCode(name, true)
                            + QStringLiteral("%1").arg(birth.year() % 100, 2, 10, QLatin1Char('0'))
                            + QLatin1Char(kMonthLetters[birth.month() - 1])
                            + QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'))
                            + QString::fromLatin1(city.belfiore);
    return withCheckChar(first15);
}

QString partitaIva(Random& random)
{
    const QString office = QStringLiteral("%1").arg(1 + random.below(100), 3, 10, QLatin1Char('0'));
    const QString first10 = random.digits(7) + office;
    for (char c = '0'; c <= '9'; ++c) {
        if (PartitaIvaValid(first10 + QLatin1Char(c)))
            return first10 + QLatin1Char(c);
    }
    return first10 + QLatin1Char('0');
}

QString cardNumber(Random& random)
{
    const QString first15 = QLatin1Char(random.chance(60) ? '4' : '5') + random.digits(14);
    for (char c = '0'; c <= '9'; ++c) {
        if (CardCheck(first15 + QLatin1Char(c)) != 0)
            return first15 + QLatin1Char(c);
    }
    return first15 + QLatin1Char('0');
}

QString iban(Random& random)
{
    const QString bban =
        QLatin1Char(char('A' + random.below(26))) + random.digits(10) + random.digits(12);
    for (int check = 0; check < 100; ++check) {
        const QString candidate = QStringLiteral("IT%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
        if (IbanValid(candidate))
            return candidate;
    }
    return QStringLiteral("IT00") + bban;
}

QString mailName(const QString& text)
{
    return plainLetters(text).toLower();
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

AnagraficaRecord makeCard(Random& random, bool* recontact, QString* cf)
{
    using F = AnagraficaField;
    const QString surname = QString::fromUtf8(random.pick(kSurnames));
    const FirstName& first = random.pick(kFirstNames);
    const QString name = QString::fromUtf8(first.name);
    const City& home = random.pick(kCities);
    const City& born = random.chance(70) ? home : random.pick(kCities);
    const QDate birth = QDate(1950, 1, 1).addDays(random.below(52 * 365));
    const QString mobile =
        QLatin1Char('3') + random.digits(2) + QLatin1Char(' ') + random.digits(7);

    AnagraficaRecord card;
    card.set(F::Cognome, surname);
    card.set(F::Nome, name);
    if (random.chance(35))
        card.set(F::Ditta, QString::fromUtf8(random.pick(kFirms)));
    card.set(F::Sesso, first.female ? QStringLiteral("F") : QStringLiteral("M"));
    card.set(F::Recapito, mobile);
    card.set(F::IndirizzoRes, QString::fromUtf8(random.pick(kStreets)) + QLatin1Char(' ')
                                  + QString::number(1 + random.below(180)));
    card.set(F::ProvRes, QString::fromLatin1(home.province));
    card.set(F::ComuneRes, QString::fromUtf8(home.name));
    card.set(F::CapRes, QString::fromLatin1(home.cap));
    card.set(F::DataNasc, dateText(birth));
    card.set(F::ComuneNasc, QString::fromUtf8(born.name));
    card.set(F::ProvNasc, QString::fromLatin1(born.province));
    if (random.chance(50))
        card.set(F::TelCasa, QString::fromLatin1(home.areaCode) + QLatin1Char(' ')
                                 + random.digits(10 - int(qstrlen(home.areaCode))));
    if (random.chance(30))
        card.set(F::TelUff,
                 QString::fromLatin1(home.areaCode) + QLatin1Char(' ') + random.digits(6));
    card.set(F::TelCel, mobile);
    const QString mail = mailName(name) + QLatin1Char('.') + mailName(surname);
    static const char* const domains[] = {"gmail.com",  "libero.it", "alice.it",
                                          "tiscali.it", "yahoo.it",  "virgilio.it"};
    card.set(F::Email, mail + QLatin1Char('@') + QString::fromLatin1(random.pick(domains)));
    if (random.chance(25))
        card.set(F::Pec, mail + QStringLiteral("@pec.it"));
    // A few cards have no codice fiscale yet: the register does not list them.
    if (!random.chance(2)) {
        *cf = codiceFiscale(surname, name, first.female, birth, born);
        card.set(F::CodFisc, *cf);
    }
    if (random.chance(40)) {
        card.set(F::Carta, cardNumber(random));
        card.set(F::ScadeCarta, QStringLiteral("%1/%2")
                                    .arg(1 + random.below(12), 2, 10, QLatin1Char('0'))
                                    .arg(25 + random.below(6)));
    }
    if (random.chance(20))
        card.set(F::PartitaIva, partitaIva(random));
    if (random.chance(60))
        card.set(F::Iban, iban(random));
    const QDate issued = QDate(2014, 1, 1).addDays(random.below(10 * 365));
    card.set(F::TipoPat, QString::fromUtf8(random.pick(kDocuments)));
    card.set(F::NumPat, QStringLiteral("CA") + random.digits(5) + QStringLiteral("AB"));
    card.set(F::EnteRil, QStringLiteral("Comune di ") + QString::fromUtf8(home.name));
    card.set(F::DataRil, dateText(issued));
    card.set(F::DataSca, dateText(issued.addYears(10)));
    card.set(F::Conducente, QString::fromUtf8(random.pick(kDuties)));
    *recontact = random.chance(5);
    if (*recontact || random.chance(5))
        card.set(F::Questioni, QString::fromUtf8(random.pick(kIssues)));
    if (random.chance(30))
        card.set(F::Note, QString::fromUtf8(random.pick(kNotes)));
    if (random.chance(15))
        card.set(F::CodiceDest, random.digits(7));
    card.set(F::Ricontatta, AnagraficaRecord::ricontattaText(*recontact));
    if (random.chance(10)) {
        card.set(F::File01,
                 QStringLiteral("Documento ") + plainLetters(surname) + QStringLiteral(".pdf"));
        card.set(F::Desc01, QStringLiteral("Copia del documento di identità"));
    }
    return card;
}

} // namespace

bool generateRegistry(const QString& folder, int cards, unsigned seed, GeneratedRegistry* out)
{
    Random random(seed);
    QSaveFile file(folder + QStringLiteral("/Anagrafica.pro"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    GeneratedRegistry summary;
    summary.cards = cards;
    for (int i = 0; i < cards; ++i) {
        bool recontact = false;
        QString cf;
        const AnagraficaRecord card = makeCard(random, &recontact, &cf);
        if (recontact)
            ++summary.recontact;
        if (!cf.isEmpty() && summary.codiciFiscali.size() < 5)
            summary.codiciFiscali.append(cf);
        if (file.write(card.bytes()) != AnagraficaRecord::kSize)
            return false;
    }
    if (!file.commit())
        return false;
    if (out)
        *out = summary;
    return true;
}

QStringList generateYearTexts(int year, unsigned seed)
{
    Random random(seed);
    QStringList texts;
    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        const MonthDay md = slotDate(slot);
        const QDate date(year, md.month, md.day);
        const bool working = date.isValid() && date.dayOfWeek() <= 5;
        texts.append(working && !random.chance(8) ? QString::fromUtf8(random.pick(kActivities))
                                                  : QString());
    }
    return texts;
}

QStringList generateListLines(int count, unsigned seed)
{
    Random random(seed);
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        bool recontact = false;
        QString cf;
        lines.append(ListLine(makeCard(random, &recontact, &cf), AnagraficaField::Note));
    }
    return lines;
}
