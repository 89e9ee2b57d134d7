#include "core/registry/exportfile.h"

#include "core/storage/programfolder.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <QSaveFile>

#include <string>
#include <utility>

namespace {

using F = AnagraficaField;

const std::array<ExportColumn, kExportColumnCount> kColumns{{
    {"colNum", "N.", 60, true, 0},
    {"colCliente", "Cognome e nome", 250, true, 250},
    {"colDitta", "Denominazione ditta", 250, true, 250},
    {"colSesso", "Sesso", 100, true, 150},
    {"colRecapito", "Telefono preferenziale", 200, true, 250},
    {"colIndirizzoRes", "Indirizzo di residenza", 250, true, 300},
    {"colComuneRes", "Comune di residenza", 250, false, 250},
    {"colCap", "CAP", 100, true, 180},
    {"colTelCasa", "Tel. casa", 200, true, 250},
    {"colTelUff", "Tel. ufficio", 200, true, 250},
    {"colTelCel", "Tel. cellulare", 200, true, 250},
    {"colPec", "Indirizzo PEC", 250, true, 250},
    {"colEmail", "E-mail", 250, true, 250},
    {"colCodFisc", "Codice fiscale", 150, true, 250},
    {"colPartitaIva", "Partita IVA", 150, false, 250},
    {"colCarta", "Carta di credito n.", 250, true, 300},
    {"colIban", "IBAN", 250, false, 300},
    {"colTipoPat", "Tipo documento", 200, false, 250},
    {"colNumPat", "Numero documento", 200, false, 200},
    {"colEnteRil", "Ente rilascio", 250, true, 250},
    {"colDataRil", "Data rilascio", 180, false, 200},
    {"colDataSca", "Data scadenza", 180, true, 200},
    {"colConducente", "Mansioni", 300, true, 350},
    {"colQuestioni", "Questioni in sospeso", 300, false, 350},
    {"colNote", "Note", 350, false, 350},
    {"colCodiceDest", "Codice Destinatario", 160, false, 200},
}};

// The card field shown by each grid column from column 2 on (columns 0, 1 and 6 are built).
constexpr F kPlainFields[kExportColumnCount] = {
    F::Cognome /*unused*/, F::Cognome /*unused*/, F::Ditta, F::Sesso, F::Recapito,
    F::IndirizzoRes, F::ComuneRes /*unused*/, F::CapRes, F::TelCasa, F::TelUff, F::TelCel,
    F::Pec, F::Email, F::CodFisc, F::PartitaIva, F::Carta, F::Iban, F::TipoPat, F::NumPat,
    F::EnteRil, F::DataRil, F::DataSca, F::Conducente, F::Questioni, F::Note, F::CodiceDest,
};

// What comes before the header row, one part after the other.
const char* const kOpening[] = {
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">",
    "<head>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
    "<!--[if gte mso 9]><xml>",
    "<x:ExcelWorkbook>",
    "<x:ExcelWorksheets>",
    "<x:ExcelWorksheet>",
    "<x:Name>Archivio Anagrafico</x:Name>",
    "<x:WorksheetOptions>",
    "<x:Selected/>",
    "<x:Panes>",
    "<x:Pane>",
    "<x:Number>1</x:Number>",
    "<x:ActiveRow>3</x:ActiveRow>",
    "</x:Pane>",
    "</x:Panes>",
    "<x:ProtectContents>False</x:ProtectContents>",
    "<x:ProtectObjects>False</x:ProtectObjects>",
    "<x:ProtectScenarios>False</x:ProtectScenarios>",
    "</x:WorksheetOptions>",
    "</x:ExcelWorksheet>",
    "</x:ExcelWorksheets>",
    "</x:ExcelWorkbook>",
    "</xml><![endif]-->",
    "<style>.testo {mso-number-format:\"\\@\";}</style>",
    "</head>",
    "<body>",
    "<table x:str>",
    "<tr>",
};

const char* const kClosing[] = {"</table>", "</body>", "</html>"};

// Appends a cell's text as the file holds it: what exportCellText makes of it, in Windows-1252.
// Cells of plain text (the most) are copied byte for byte as they are checked.
void appendCellBytes(std::string& out, QStringView text)
{
    const QStringView value = trimmedView(text);
    const size_t at = out.size();
    out.resize(at + size_t(value.size()));
    char* dst = out.data() + at;
    for (const QChar ch : value) {
        const char16_t u = ch.unicode();
        if (u < 32 || u == '&' || u == '<' || u == '>' || (u >= 0x7F && u < 0xA0) || u > 0xFF) {
            out.resize(at);
            const QByteArray bytes = toWindows1252(exportCellText(value.toString()));
            out.append(bytes.constData(), size_t(bytes.size()));
            return;
        }
        *dst++ = char(u);
    }
}

// Hands every part of the file, in order, to out; stops at the first part out refuses.
// Every data cell is of the class "testo", which the page's style declares as text for the
// spreadsheet program: without it a CAP "00186" or the Codice Destinatario "0000000" is read
// as a number that loses its zeros.
bool writeParts(const ExportGrid& grid, const std::function<bool(const QByteArray&)>& out)
{
    for (const char* part : kOpening) {
        if (!out(QByteArray(part)))
            return false;
    }
    for (int c = 1; c < kExportColumnCount; ++c) {
        const ExportColumn& column = kColumns[size_t(c)];
        const QString cell = QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" "
                                            "width=")
                             + QString::number(column.fileWidth) + QLatin1Char('>')
                             + exportCellText(QString::fromUtf8(column.header))
                             + QStringLiteral("</td>");
        if (!out(toWindows1252(cell)))
            return false;
    }
    if (!out(QByteArrayLiteral("</tr>")))
        return false;
    // Each table row goes out as one piece, built in one reused buffer: the same bytes, one
    // write instead of 27.
    static constexpr char cellStart[] = "<td style=\"text-align: left;\" class=\"testo\">";
    std::string row;
    row.reserve(4096);
    QString cellText;
    for (int r = 0; r < grid.rows; ++r) {
        row.assign("<tr>");
        for (int c = 1; c < kExportColumnCount; ++c) {
            row.append(cellStart, sizeof cellStart - 1);
            if (grid.view) {
                appendCellBytes(row, grid.view(r, c));
            } else {
                cellText = grid.cell ? grid.cell(r, c) : QString();
                appendCellBytes(row, cellText);
            }
            row.append("</td>", 5);
        }
        row.append("</tr>", 5);
        if (!out(QByteArray::fromRawData(row.data(), qsizetype(row.size()))))
            return false;
    }
    for (const char* part : kClosing) {
        if (!out(QByteArray(part)))
            return false;
    }
    return true;
}

} // namespace

const std::array<ExportColumn, kExportColumnCount>& exportColumns()
{
    return kColumns;
}

void appendExportRow(const AnagraficaRecord& card, int row, QString& text,
                     std::array<int, kExportColumnCount + 1>& starts)
{
    for (int c = 0; c < kExportColumnCount; ++c) {
        starts[size_t(c)] = int(text.size());
        switch (c) {
        case 0: {
            // The row number, written without a text of its own.
            char digits[12];
            int n = 0;
            for (unsigned v = unsigned(row) + 1; v; v /= 10)
                digits[n++] = char('0' + v % 10);
            while (n)
                text += QLatin1Char(digits[--n]);
            break;
        }
        case 1:
            card.appendTo(text, F::Cognome);
            text += QLatin1Char(' ');
            card.appendTo(text, F::Nome);
            break;
        case 6:
            card.appendTo(text, F::ComuneRes);
            text += QLatin1Char(' ');
            card.appendTo(text, F::ProvRes);
            break;
        default:
            card.appendTo(text, kPlainFields[c]);
        }
    }
    starts[kExportColumnCount] = int(text.size());
}

QStringList exportRowCells(const AnagraficaRecord& card, int row)
{
    QString text;
    std::array<int, kExportColumnCount + 1> starts{};
    appendExportRow(card, row, text, starts);
    QStringList cells;
    cells.reserve(kExportColumnCount);
    for (size_t c = 0; c < size_t(kExportColumnCount); ++c)
        cells.append(text.mid(starts[c], starts[c + 1] - starts[c]));
    return cells;
}

QString exportCellText(const QString& text)
{
    QString trimmed = trimText(text);
    // Most cells hold nothing to write differently.
    bool plain = true;
    for (const QChar ch : std::as_const(trimmed)) {
        const char16_t u = ch.unicode();
        if (u < 32 || u == '&' || u == '<' || u == '>' || (u >= 0x7F && u < 0xA0) || u > 0xFF) {
            plain = false;
            break;
        }
    }
    if (plain)
        return trimmed;
    QString out;
    out.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar ch = trimmed.at(i);
        char32_t cp = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < trimmed.size() && trimmed.at(i + 1).isLowSurrogate())
            cp = QChar::surrogateToUcs4(ch, trimmed.at(++i));
        if (cp == '&')
            out += QStringLiteral("&amp;");
        else if (cp == '<')
            out += QStringLiteral("&lt;");
        else if (cp == '>')
            out += QStringLiteral("&gt;");
        else if (QChar::isSurrogate(cp))
            out += QLatin1Char('?'); // half of a pair: no character to name
        else if (cp < 32 || (cp >= 0x7F && cp < 0xA0) || !isWindows1252(cp))
            out += QStringLiteral("&#") + QString::number(uint(cp)) + QLatin1Char(';');
        else
            out += ch;
    }
    return out;
}

QByteArray exportDocument(const ExportGrid& grid)
{
    QByteArray bytes;
    writeParts(grid, [&bytes](const QByteArray& part) {
        bytes += part;
        return true;
    });
    return bytes;
}

bool writeExportFile(const QString& path, const ExportGrid& grid, QString* error)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly)
              && writeParts(grid, [&file](const QByteArray& part) {
                     return file.write(part) == part.size();
                 })
              // The commit does not check its own final flush: a disk that fills up there
              // would put a truncated file in place. Flushing first makes that a failure.
              && file.flush() && file.commit();
    if (!ok) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

QString exportFilePath()
{
    return programFolder() + QStringLiteral("Anagrafica.xls");
}
