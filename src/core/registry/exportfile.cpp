#include "core/registry/exportfile.h"

#include "core/storage/programfolder.h"
#include "core/storage/safefile.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <algorithm>
#include <cstring>
#include <optional>
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

// The card fields each grid column shows, from column 1 on (column 0 holds the row number):
// one field, or two joined by a blank.
struct ColumnFields {
    F first;
    std::optional<F> second;
};
const ColumnFields kColumnFields[kExportColumnCount] = {
    {F::Cognome, std::nullopt}, // unused
    {F::Cognome, F::Nome},         {F::Ditta, std::nullopt},        {F::Sesso, std::nullopt},
    {F::Recapito, std::nullopt},   {F::IndirizzoRes, std::nullopt}, {F::ComuneRes, F::ProvRes},
    {F::CapRes, std::nullopt},     {F::TelCasa, std::nullopt},      {F::TelUff, std::nullopt},
    {F::TelCel, std::nullopt},     {F::Pec, std::nullopt},          {F::Email, std::nullopt},
    {F::CodFisc, std::nullopt},    {F::PartitaIva, std::nullopt},   {F::Carta, std::nullopt},
    {F::Iban, std::nullopt},       {F::TipoPat, std::nullopt},      {F::NumPat, std::nullopt},
    {F::EnteRil, std::nullopt},    {F::DataRil, std::nullopt},      {F::DataSca, std::nullopt},
    {F::Conducente, std::nullopt}, {F::Questioni, std::nullopt},    {F::Note, std::nullopt},
    {F::CodiceDest, std::nullopt},
};

// Values are copied in pieces of kPiece bytes, the first one whatever the value's length: no
// branch on the length for the short values that make most of a row. A piece may read past
// the value and write past its end; the bytes written there are overwritten by what follows
// or lie in the room behind the row.
constexpr int kPiece = 16;
constexpr int kFirstPieces = 2;

// Where a field lies in a stored card: its length byte, then room for capacity bytes. wide
// tells whether the card holds enough bytes behind the field for a copy in whole pieces.
struct StoredField {
    int offset = 0;
    int capacity = 0;
    bool wide = false;
};

StoredField storedField(AnagraficaField f)
{
    const AnagraficaFieldInfo& info = AnagraficaRecord::info(f);
    const int read = info.capacity + kFirstPieces * kPiece;
    return {info.offset, info.capacity, info.offset + 1 + read <= AnagraficaRecord::kSize};
}

// The stored places of the fields of every column, looked up once, and the room a row needs:
// the longest row number, every field full, and the last pieces.
struct RowLayout {
    StoredField first[kExportColumnCount];
    StoredField second[kExportColumnCount]; // capacity 0 for a column of one field
    int room = 0;
};

const RowLayout& rowLayout()
{
    static const RowLayout layout = [] {
        RowLayout out;
        out.room = 10 + kFirstPieces * kPiece; // the digits of the largest int, the last piece
        for (int c = 1; c < kExportColumnCount; ++c) {
            const ColumnFields& fields = kColumnFields[c];
            out.first[c] = storedField(fields.first);
            out.room += out.first[c].capacity;
            if (fields.second) {
                out.second[c] = storedField(*fields.second);
                out.room += 1 + out.second[c].capacity;
            }
        }
        return out;
    }();
    return layout;
}

// Copies a field's stored value to out, trimmed as the registry trims it (bytes up to 32 at
// either end go), and returns the end of the value written.
inline char* putTrimmedField(char* out, const char* card, StoredField field)
{
    const char* at = card + field.offset;
    const char* begin = at + 1;
    const int length = std::min(int(uchar(at[0])), field.capacity);
    const char* end = begin + length;
    // A value that begins or ends with a blank or a control byte (rare) is trimmed byte by byte.
    const bool ragged = (length > 0) & ((uchar(begin[0]) <= 32) | (uchar(end[-1]) <= 32));
    if (ragged) {
        while (begin < end && uchar(*begin) <= 32)
            ++begin;
        while (end > begin && uchar(end[-1]) <= 32)
            --end;
    }
    const size_t n = size_t(end - begin);
    if (!field.wide) {
        std::memcpy(out, begin, n);
        return out + n;
    }
    constexpr size_t kFirst = size_t{kFirstPieces} * kPiece;
    std::memcpy(out, begin, kFirst);
    for (size_t i = kFirst; i < n; i += kPiece)
        std::memcpy(out + i, begin + i, kPiece);
    return out + n;
}

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

// The stored bytes a cell cannot be copied with: those exportCellText writes differently
// (control characters, &, <, > and the bytes 0x7F to 0x9F, which it names by number or which
// stand for characters above 0xFF).
struct SpecialBytes {
    bool table[256] = {};
    constexpr SpecialBytes()
    {
        for (int b = 0; b < 32; ++b)
            table[b] = true;
        table[int('&')] = table[int('<')] = table[int('>')] = true;
        for (int b = 0x7F; b < 0xA0; ++b)
            table[b] = true;
    }
};
constexpr SpecialBytes kSpecial;

// Writes a cell held as stored bytes at out: trimmed, then copied as it is; returns the end of
// what it wrote. A cell with a byte that needs what exportCellText makes of it (rare) is left
// to appendSpecialCell instead: then nothing is written and nullptr comes back.
char* putStoredCell(char* out, std::string_view cell)
{
    const char* begin = cell.data();
    const char* end = begin + cell.size();
    while (begin < end && uchar(*begin) <= 32)
        ++begin;
    while (end > begin && uchar(end[-1]) <= 32)
        --end;
    for (const char* p = begin; p < end; ++p) {
        if (kSpecial.table[uchar(*p)])
            return nullptr;
    }
    const size_t n = size_t(end - begin);
    std::memcpy(out, begin, n);
    return out + n;
}

void appendSpecialCell(std::string& out, std::string_view cell)
{
    QString text(qsizetype(cell.size()), Qt::Uninitialized);
    decodeWindows1252(cell.data(), qsizetype(cell.size()), text.data());
    const QByteArray bytes = toWindows1252(exportCellText(text));
    out.append(bytes.constData(), size_t(bytes.size()));
}

// Hands every part of the file, in order, to out; stops at the first part out refuses.
// Every data cell is of the class "testo", which the page's style declares as text for the
// spreadsheet program: without it a CAP "00186" or the Codice Destinatario "0000000" is read
// as a number that loses its zeros.
bool writeParts(const ExportGrid& grid, const std::function<bool(const QByteArray&)>& out,
                const WorkProgress& progress = {})
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
    // The table rows are built one after the other in one reused buffer of about a megabyte,
    // which goes out whenever it is full: the same bytes, a few large writes instead of one
    // or more per row. A row held as stored bytes is written in one go through a pointer into
    // room made for its longest form; any other row cell by cell.
    static constexpr char cellStart[] = "<td style=\"text-align: left;\" class=\"testo\">";
    static constexpr size_t kCellStart = sizeof cellStart - 1;
    static constexpr char cellEnd[] = "</td>";
    constexpr size_t kChunk = 1 << 20;
    std::string chunk;
    chunk.reserve(kChunk + 65536);
    QString cellText;
    std::string_view rowBytes;
    const quint16* starts = nullptr;
    for (int r = 0; r < grid.rows; ++r) {
        if (progress && r % kProgressStep == 0 && r > 0 && !progress(r, grid.rows))
            return false;
        chunk.append("<tr>", 4);
        if (grid.storedRow && grid.storedRow(r, rowBytes, starts)) {
            size_t at = chunk.size();
            chunk.resize(at + rowBytes.size() + (kExportColumnCount - 1) * (kCellStart + 5));
            for (int c = 1; c < kExportColumnCount; ++c) {
                const std::string_view cell =
                    rowBytes.substr(starts[c], size_t(starts[c + 1] - starts[c]));
                char* out = chunk.data() + at;
                std::memcpy(out, cellStart, kCellStart);
                out += kCellStart;
                char* end = putStoredCell(out, cell);
                if (!end) {
                    // The rare cell written differently: the buffer is cut where it stands, the
                    // cell appended, and room made again for the rest of the row.
                    chunk.resize(size_t(out - chunk.data()));
                    appendSpecialCell(chunk, cell);
                    const size_t rest =
                        rowBytes.size() + (kExportColumnCount - c) * (kCellStart + 5);
                    at = chunk.size();
                    chunk.resize(at + rest);
                    end = chunk.data() + at;
                }
                std::memcpy(end, cellEnd, 5);
                at = size_t(end + 5 - chunk.data());
            }
            chunk.resize(at);
        } else {
            for (int c = 1; c < kExportColumnCount; ++c) {
                chunk.append(cellStart, kCellStart);
                if (grid.view) {
                    appendCellBytes(chunk, grid.view(r, c));
                } else {
                    cellText = grid.cell ? grid.cell(r, c) : QString();
                    appendCellBytes(chunk, cellText);
                }
                chunk.append(cellEnd, 5);
            }
        }
        chunk.append("</tr>", 5);
        if (chunk.size() >= kChunk) {
            if (!out(QByteArray::fromRawData(chunk.data(), qsizetype(chunk.size()))))
                return false;
            chunk.clear();
        }
    }
    if (!chunk.empty() && !out(QByteArray::fromRawData(chunk.data(), qsizetype(chunk.size()))))
        return false;
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

int exportRowRoom()
{
    return rowLayout().room;
}

char* writeExportRowBytes(const char* card, int row, char* out,
                          std::array<quint16, kExportColumnCount + 1>& starts)
{
    const RowLayout& layout = rowLayout();
    char* const base = out;
    starts[0] = 0;
    char digits[20];
    int n = 0;
    for (quint64 number = quint64(row) + 1; number > 0; number /= 10)
        digits[n++] = char('0' + number % 10);
    while (n > 0)
        *out++ = digits[--n];
    for (int c = 1; c < kExportColumnCount; ++c) {
        starts[size_t(c)] = quint16(out - base);
        out = putTrimmedField(out, card, layout.first[c]);
        if (layout.second[c].capacity > 0) {
            *out++ = ' ';
            out = putTrimmedField(out, card, layout.second[c]);
        }
    }
    starts[kExportColumnCount] = quint16(out - base);
    return out;
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

WriteResult writeExportFile(const QString& path, const ExportGrid& grid,
                            const WorkProgress& progress)
{
    SafeFile file(path);
    if (WriteResult opened = file.open(); !opened)
        return opened;
    const bool complete = writeParts(
        grid, [&file](const QByteArray& part) { return file.write(part); }, progress);
    if (!complete) {
        // A failed part, or the person stopped the export: the file beside is dropped and the
        // previous file stays as it was.
        file.cancel();
        return file.result().ok() ? WriteResult::failure(QStringLiteral("export stopped"))
                                  : file.result();
    }
    return file.commit();
}

QString exportFilePath()
{
    return programFolder() + QStringLiteral("Anagrafica.xls");
}
