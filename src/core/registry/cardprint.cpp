#include "core/registry/cardprint.h"

#include "core/reports/cardreport.h"
#include "core/storage/text.h"

#include <array>

namespace {

using F = AnagraficaField;

// What a row prints: its label, and its value made of prefix + first + join + second.
struct CardPrintRow {
    const char* label;
    const char* prefix;
    AnagraficaField first;
    const char* join = nullptr; // none: the value ends with the first part
    AnagraficaField second = AnagraficaField::Cognome;
};

const std::array<CardPrintRow, 24> kRows{{
    {"Cognome e nome:", "", F::Cognome, " ", F::Nome},
    {"Data di nascita:", "", F::DataNasc},
    {"Comune di nascita:", "", F::ComuneNasc, " ", F::ProvNasc},
    {"Codice Destinatario:", "", F::CodiceDest},
    {"Telefono preferenziale:", "", F::Recapito},
    {"Indirizzo di residenza:", "", F::IndirizzoRes},
    {"Comune di residenza:", "", F::ComuneRes, " ", F::ProvRes},
    {"Denominazione ditta:", "", F::Ditta},
    {"Tel. casa:", "", F::TelCasa},
    {"Tel. ufficio:", "", F::TelUff},
    {"Tel. cellulare:", "", F::TelCel},
    {"Indirizzo PEC:", "", F::Pec},
    {"E-mail:", "", F::Email},
    {"Codice fiscale:", "", F::CodFisc},
    {"Partita IVA:", "", F::PartitaIva},
    {"Carta di credito:", "N. ", F::Carta, "  -  Scadenza: ", F::ScadeCarta},
    {"IBAN:", "", F::Iban},
    {"Tipo documento:", "", F::TipoPat},
    {"Numero documento:", "", F::NumPat},
    {"Ente di rilascio:", "", F::EnteRil},
    {"Data di rilascio:", "", F::DataRil, "  -  Scadenza: ", F::DataSca},
    {"Mansioni:", "", F::Conducente},
    {"Questioni in sospeso:", "", F::Questioni},
    {"Note:", "", F::Note},
}};
static_assert(kRows.size() == kCardReportRows, "one row of the table per row of the card");

QString rowValue(const CardPrintRow& row, const ControlText& controlText)
{
    QString value = QString::fromUtf8(row.prefix) + trimText(controlText(row.first));
    if (row.join)
        value += QString::fromUtf8(row.join) + trimText(controlText(row.second));
    return value;
}

} // namespace

void fillCardReport(ReportDocument& card, const ControlText& controlText)
{
    card.setOrientation(QPageLayout::Portrait);
    auto set = [&](const QString& name, const QString& text) {
        if (ReportObject* box = card.text(name))
            box->setText(text);
    };
    set(QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA ANAGRAFICA"));
    for (int row = 1; row <= kCardReportRows; ++row) {
        const CardPrintRow& r = kRows[size_t(row - 1)];
        set(cardLabelName(row), QString::fromUtf8(r.label));
        set(cardValueName(row), rowValue(r, controlText));
    }
    set(QStringLiteral("txtCalce"), closingLine());
}
