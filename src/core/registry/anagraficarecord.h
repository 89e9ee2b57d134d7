#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// One card of the person registry as stored in Anagrafica.pro: 38 counted text fields,
// 3151 bytes, no padding.
enum class AnagraficaField {
    Cognome,
    Nome,
    Ditta,
    Sesso,
    Recapito,
    IndirizzoRes,
    ProvRes,
    ComuneRes,
    CapRes,
    DataNasc,
    ComuneNasc,
    ProvNasc,
    TelCasa,
    TelUff,
    TelCel,
    Pec,
    Email,
    CodFisc,
    Carta,
    ScadeCarta,
    PartitaIva,
    Iban,
    TipoPat,
    NumPat,
    EnteRil,
    DataRil,
    DataSca,
    Conducente,
    Questioni,
    Note,
    CodiceDest,
    Ricontatta,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
};

struct AnagraficaFieldInfo {
    AnagraficaField field;
    const char* name; // the field's name, also the suffix of its control (txtCognome)
    int offset;       // of the length byte within the record
    int capacity;     // N: the most bytes the value may hold
};

class AnagraficaRecord {
public:
    static constexpr int kSize = 3151;
    static constexpr int kFieldCount = 38;
    static const std::array<AnagraficaFieldInfo, kFieldCount>& fields();
    static const AnagraficaFieldInfo& info(AnagraficaField field);

    // A record of zero bytes: every field empty.
    AnagraficaRecord();
    // A record read from a file; bytes shorter than a record are padded with zeros.
    explicit AnagraficaRecord(const QByteArray& bytes);

    // The trimmed value of a field.
    QString get(AnagraficaField field) const;
    // Appends the trimmed value of a field to out, as get() gives it, without a text of its
    // own: for readers that turn many cards into lines at once.
    void appendTo(QString& out, AnagraficaField field) const;
    // True when the trimmed value of a field is empty.
    bool isEmpty(AnagraficaField field) const;
    // Writes the trimmed value of a field at dst, at most room characters of it; returns how
    // many were written.
    int writeTo(QChar* dst, int room, AnagraficaField field) const;
    // Trims and stores a value; the bytes of the field behind the new value become zeros.
    void set(AnagraficaField field, const QString& value);

    // The recontact flag is "Sì" when ticked and "No" when not.
    static QString ricontattaText(bool ticked);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
