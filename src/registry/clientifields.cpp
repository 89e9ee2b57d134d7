#include "registry/clientifields.h"

#include "core/storage/text.h"

namespace {

using F = AnagraficaField;
using I = InputFilter;

constexpr TextRules kUpper = UpperTyping;
constexpr TextRules kTrim = TrimTyping;
constexpr TextRules kTrimUpper = TrimTyping | UpperTyping;
constexpr TextRules kTrimUpperAlways = TrimTyping | UpperTyping | TrimLeaving | UpperLeaving;
constexpr TextRules kTrimAlways = TrimTyping | TrimLeaving;

} // namespace

const std::array<CardFieldRow, kCardFieldCount>& cardFieldTable()
{
    // tab, control, caption, left top width height, max, Enter moves to, filter, rules,
    // centred, province box, record field
    static const std::array<CardFieldRow, kCardFieldCount> table{{
        {0, "txtCognome", "Cognome:", {136, 42, 180, 22}, 50, "txtNome", I::A, NoRule, false, false, F::Cognome},
        {1, "txtNome", "Nome:", {324, 42, 180, 22}, 50, "txtDitta", I::A, NoRule, false, false, F::Nome},
        {2, "txtDitta", "Denominazione ditta:", {513, 42, 268, 22}, 50, "txtSesso", I::C, NoRule, false, false, F::Ditta},
        {3, "txtSesso", "Sesso:", {136, 90, 57, 22}, 1, "txtRecapito", I::None, kUpper, true, false, F::Sesso},
        {4, "txtRecapito", "Telefono preferenziale:", {200, 90, 217, 22}, 50, "txtIndirizzoRes", I::A, NoRule, false, false, F::Recapito},
        {5, "txtIndirizzoRes", "Via / Piazza e numero civico:", {424, 90, 297, 22}, 50, "txtProvRes", I::B, NoRule, false, false, F::IndirizzoRes},
        {6, "txtProvRes", "Prov.", {728, 90, 54, 22}, 2, "txtComuneRes", I::B, kTrimUpperAlways, false, true, F::ProvRes},
        {7, "txtComuneRes", "Comune di residenza:", {136, 138, 209, 22}, 50, "txtCapRes", I::B, NoRule, false, false, F::ComuneRes},
        {8, "txtCapRes", "CAP:", {352, 138, 65, 22}, 5, "txtDataNasc", I::Digits, kTrimUpper, false, false, F::CapRes},
        {9, "txtDataNasc", "Data di nascita:", {424, 138, 113, 22}, 30, "txtComuneNasc", I::None, NoRule, true, false, F::DataNasc},
        {10, "txtComuneNasc", "Comune di nascita:", {544, 138, 177, 22}, 50, "txtProvNasc", I::None, NoRule, false, false, F::ComuneNasc},
        {11, "txtProvNasc", "Prov.", {728, 138, 54, 22}, 2, "txtTelCasa", I::None, kTrimUpperAlways, false, true, F::ProvNasc},
        {12, "txtTelCasa", "Tel. casa:", {136, 202, 212, 22}, 30, "txtTelUff", I::None, NoRule, false, false, F::TelCasa},
        {13, "txtTelUff", "Tel. ufficio:", {354, 202, 212, 22}, 30, "txtTelCel", I::None, NoRule, false, false, F::TelUff},
        {14, "txtTelCel", "Tel. cellulare:", {572, 202, 212, 22}, 30, "txtPec", I::None, NoRule, false, false, F::TelCel},
        {15, "txtPec", "Indirizzo PEC:", {136, 250, 270, 22}, 60, "txtEmail", I::B, kTrim, false, false, F::Pec},
        {16, "txtEmail", "E-mail:", {465, 250, 290, 22}, 50, "txtCodFisc", I::None, kTrimAlways, false, false, F::Email},
        {17, "txtCodFisc", "Codice fiscale:", {136, 314, 212, 22}, 16, "txtCarta", I::D, kTrimUpper, false, false, F::CodFisc},
        {18, "txtCarta", "Carta di credito n.", {392, 314, 249, 22}, 30, "txtScadeCarta", I::Digits, NoRule, false, false, F::Carta},
        {19, "txtScadeCarta", "Scadenza:", {678, 314, 105, 22}, 30, "txtPartitaIva", I::None, NoRule, false, false, F::ScadeCarta},
        {20, "txtPartitaIva", "Partita IVA:", {136, 362, 212, 22}, 11, "txtIban", I::Digits, NoRule, false, false, F::PartitaIva},
        {21, "txtIban", "IBAN:", {392, 362, 361, 22}, 27, "txtTipoPat", I::B, kTrimUpper, false, false, F::Iban},
        {22, "txtTipoPat", "Tipo documento:", {136, 426, 184, 22}, 30, "txtNumPat", I::None, NoRule, false, false, F::TipoPat},
        {23, "txtNumPat", "Numero:", {328, 426, 170, 22}, 50, "txtEnteRil", I::None, NoRule, false, false, F::NumPat},
        {24, "txtEnteRil", "Ente di rilascio:", {506, 426, 277, 22}, 50, "txtDataRil", I::None, NoRule, false, false, F::EnteRil},
        {25, "txtDataRil", "Data di rilascio:", {136, 474, 114, 22}, 10, "txtDataSca", I::None, NoRule, false, false, F::DataRil},
        {26, "txtDataSca", "Data di scadenza:", {258, 474, 114, 22}, 10, "txtConducente", I::None, NoRule, false, false, F::DataSca},
        {27, "txtConducente", "Mansioni:", {380, 474, 403, 22}, 250, "txtQuestioni", I::None, NoRule, false, false, F::Conducente},
        {28, "txtQuestioni", "Questioni in sospeso:", {136, 538, 488, 22}, 250, "txtNote", I::None, NoRule, false, false, F::Questioni},
        {30, "txtNote", "Note:", {136, 602, 488, 22}, 250, "txtCodiceDest", I::None, NoRule, false, false, F::Note},
        {31, "txtCodiceDest", "Codice Destinatario:", {643, 602, 140, 22}, 7, "txtCognome", I::B, kTrimUpper, false, false, F::CodiceDest},
    }};
    return table;
}

const CardFieldRow* cardFieldRow(const QString& control)
{
    for (const CardFieldRow& row : cardFieldTable()) {
        if (control == QLatin1String(row.control))
            return &row;
    }
    return nullptr;
}

const QStringList& provinceCodes()
{
    static const QStringList codes = QStringLiteral(
        "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR "
        "CS CT CZ EE EN FC FE FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME "
        "MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG PI PN PO PR PT PU PV PZ RA RC RE RG "
        "RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT VV")
                                         .split(QLatin1Char(' '));
    return codes;
}

const std::array<CompulsoryField, 5>& compulsoryFields()
{
    static const std::array<CompulsoryField, 5> table{{
        {F::Cognome, "Attenzione: per salvare la scheda \u00e8 necessario indicare il cognome."},
        {F::Nome, "Attenzione: per salvare la scheda \u00e8 necessario indicare il nome."},
        {F::Recapito, "Attenzione: per salvare la scheda \u00e8 necessario indicare il recapito "
                      "telefonico preferenziale."},
        {F::CodFisc, "Attenzione: per salvare la scheda \u00e8 necessario indicare il codice "
                     "fiscale."},
        {F::Conducente, "Attenzione: per salvare la scheda \u00e8 necessario indicare le "
                        "principali mansioni svolte."},
    }};
    return table;
}

const std::array<CommandRow, 12>& commandTable()
{
    static const std::array<CommandRow, 12> table{{
        {30, "cmdNuovo", "Nuovo", ":/registry/cmd_nuovo.svg",
         "Prepara la schermata per la registrazione di una nuova scheda."},
        {69, "cmdDuplica", "Duplica", ":/registry/cmd_duplica.svg",
         "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati "
         "correnti."},
        {108, "cmdFile", "Allega file", ":/registry/cmd_file.svg",
         "Allega file alla scheda corrente."},
        {147, "cmdSalva", "Salva", ":/registry/cmd_salva.svg",
         "Salva la scheda corrente in archivio."},
        {186, "cmdTrova", "Trova", ":/registry/cmd_trova.svg", "Trova una scheda in archivio."},
        {225, "cmdAnteprima", "Anteprima", ":/registry/cmd_anteprima.svg",
         "Visualizza l'anteprima di stampa."},
        {264, "cmdStampa", "Stampa", ":/registry/cmd_stampa.svg", "Stampa la scheda corrente."},
        {303, "cmdPDF", "Crea PDF", ":/registry/cmd_pdf.svg", "Esporta la scheda in formato PDF."},
        {342, "cmdRicontatta", "Da ricontattare", ":/registry/cmd_ricontatta.svg",
         "Visualizza l'elenco dei Clienti da ricontattare."},
        {381, "cmdEsporta", "Esporta archivio", ":/registry/cmd_esporta.svg",
         "Esporta le schede in archivio in un file di Microsoft Excel."},
        {420, "cmdGuida", "Guida", ":/registry/cmd_guida.svg",
         "Visualizza la pagina della guida sensibile al contesto."},
        {459, "cmdEsci", "Esci", ":/registry/cmd_esci.svg", "Esci da questa schermata di lavoro."},
    }};
    return table;
}

const std::array<PictureButtonRow, 5>& smallButtonTable()
{
    static const std::array<PictureButtonRow, 5> table{{
        {"btnEmail", {760, 250, 22, 22}, ":/registry/busta.svg", "Invia e-mail",
         "Invia una e-mail all'indirizzo indicato."},
        {"btnCodFisc", {353, 314, 22, 22}, ":/registry/spunta.svg", "Controlla codice fiscale",
         "Controlla il codice fiscale."},
        {"btnCarta", {647, 314, 22, 22}, ":/registry/spunta.svg", "Controlla carta di credito",
         "Controlla il numero di carta di credito."},
        {"btnPartitaIva", {353, 362, 22, 22}, ":/registry/spunta.svg",
         "Controlla partita IVA", "Controlla il numero di partita IVA."},
        {"btnIban", {760, 362, 22, 22}, ":/registry/spunta.svg", "Controlla IBAN",
         "Controlla l'IBAN."},
    }};
    return table;
}

const std::array<PictureButtonRow, 4>& arrowTable()
{
    static const std::array<PictureButtonRow, 4> table{{
        {"imgPrima", {806, 649, 15, 17}, ":/registry/freccia_prima.svg", "Prima scheda",
         "Visualizza la prima scheda in archivio."},
        {"imgPrecedente", {830, 649, 10, 17}, ":/registry/freccia_precedente.svg",
         "Scheda precedente", "Visualizza la scheda precedente in archivio."},
        {"imgSuccessiva", {934, 649, 10, 17}, ":/registry/freccia_successiva.svg",
         "Scheda successiva", "Visualizza la scheda successiva in archivio."},
        {"imgUltima", {955, 649, 15, 17}, ":/registry/freccia_ultima.svg", "Ultima scheda",
         "Visualizza l'ultima scheda in archivio."},
    }};
    return table;
}

const std::array<SectionRow, 5>& sectionTable()
{
    static const std::array<SectionRow, 5> table{{
        {"shpAnagrafica", {16, 16, 777, 154}, ":/registry/sez_persona.svg", "Dati anagrafici"},
        {"shpRecapiti", {16, 176, 777, 105}, ":/registry/sez_telefono.svg", "Recapiti"},
        {"shpFiscali", {16, 288, 777, 105}, ":/registry/sez_carta.svg", "Dati fiscali e pagamenti"},
        {"shpDocumento", {16, 400, 777, 105}, ":/registry/sez_documento.svg",
         "Documento di identit\u00e0"},
        {"shpNote", {16, 512, 777, 121}, ":/registry/sez_note.svg", "Note"},
    }};
    return table;
}

CheckRequest checkRequestFor(CheckDialog button, const QString& fieldText)
{
    const QString code = trimText(fieldText);
    if (button == CheckDialog::CodFisc && !code.isEmpty()) {
        bool digitsOnly = true;
        for (QChar c : code)
            digitsOnly = digitsOnly && c.unicode() >= '0' && c.unicode() <= '9';
        if (digitsOnly)
            return {CheckDialog::PartitaIva, code};
    }
    return {button, code};
}
