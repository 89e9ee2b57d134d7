// The four code checks: any text, read as single bytes and as UTF-8.

#include "fuzz_support.h"

#include "core/storage/text.h"
#include "core/validators/cardcheck.h"
#include "core/validators/codfisccheck.h"
#include "core/validators/ibancheck.h"
#include "core/validators/partitaivacheck.h"

namespace {

void check(const QString& text)
{
    if (CodFiscCheckChar(text))
        FUZZ_CHECK(text.size() == 16);
    if (PartitaIvaValid(text)) {
        FUZZ_CHECK(text.size() == 11);
        for (const QChar c : text)
            FUZZ_CHECK(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    }
    ivaOfficeName(text.left(3));
    const int cardClass = CardCheck(text);
    FUZZ_CHECK(cardClass >= -2 && cardClass <= 7);
    cardBrand(cardClass, trimText(text));
    IbanToDigits(text);
    const int remainder = IbanMod97(text);
    FUZZ_CHECK(remainder >= 0 && remainder < 97);
    if (IbanValid(text))
        FUZZ_CHECK(!text.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    check(QString::fromLatin1(bytes));
    check(QString::fromUtf8(bytes));
    return 0;
}
