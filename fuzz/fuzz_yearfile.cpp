// The year-file loader: any bytes as a person's year file. Loading never changes the file;
// saving what was loaded writes one whole record, leaves later records as they were, and
// loads again to the same days.

#include "fuzz_support.h"

#include "core/register/yearfile.h"
#include "core/storage/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    fuzzProgramFolder();
    const QString path = YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2024"));
    FUZZ_CHECK(writeBytes(path, bytes));

    bool loaded = false;
    const QStringList texts = LoadYear(path, &loaded);
    FUZZ_CHECK(loaded);
    FUZZ_CHECK(texts.size() == kDaysPerYear);
    for (const QString& text : texts) {
        FUZZ_CHECK(text.size() <= PresenzeRecord::kCapacity);
        FUZZ_CHECK(trimText(text) == text);
        if (bytes.size() < PresenzeRecord::kSize)
            FUZZ_CHECK(text.isEmpty());
    }
    FUZZ_CHECK(readBytes(path) == bytes);

    FUZZ_CHECK(SaveYear(path, texts));
    const QByteArray saved = readBytes(path);
    FUZZ_CHECK(saved.size() == qMax<qsizetype>(bytes.size(), PresenzeRecord::kSize));
    FUZZ_CHECK(saved.mid(PresenzeRecord::kSize) == bytes.mid(PresenzeRecord::kSize));
    bool again = false;
    FUZZ_CHECK(LoadYear(path, &again) == texts);
    FUZZ_CHECK(again);
    return 0;
}
