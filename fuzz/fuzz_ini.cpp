// The INI reader and Decrypt: any bytes as the password file and as a stored value. Reading
// never fails on a readable file; a value that decrypts scrambles back to the same digits;
// writing the key reads back what was written and keeps the file otherwise stable.

#include "fuzz_support.h"

#include "core/access/crypt.h"
#include "core/access/passwordstore.h"

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

void checkDecrypt(const QString& hex)
{
    const std::optional<QString> plain = Decrypt(hex);
    if (!plain)
        return;
    FUZZ_CHECK(plain->size() == hex.size() / 2);
    const std::optional<QString> again = Encrypt(*plain);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == hex.left(plain->size() * 2).toUpper());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkDecrypt(QString::fromLatin1(bytes));
    checkDecrypt(QString::fromUtf8(bytes));

    const QString path = fuzzProgramFolder() + PasswordStore::fileName();
    FUZZ_CHECK(writeBytes(path, bytes));
    const PasswordStore store(path);
    const std::optional<QString> value = store.readValue(kSection, kKey);
    FUZZ_CHECK(value.has_value());
    if (value)
        checkDecrypt(*value);
    store.readPassword();
    FUZZ_CHECK(readBytes(path) == bytes); // reading changes nothing

    const QString fresh = *Encrypt(QStringLiteral("FUZZ"));
    FUZZ_CHECK(store.writeValue(kSection, kKey, fresh));
    FUZZ_CHECK(store.readValue(kSection, kKey) == std::optional<QString>(fresh));
    FUZZ_CHECK(store.readPassword() == std::optional<QString>(QStringLiteral("FUZZ")));
    const QByteArray written = readBytes(path);
    FUZZ_CHECK(store.writeValue(kSection, kKey, fresh));
    FUZZ_CHECK(readBytes(path) == written); // the same value twice gives the same file
    return 0;
}
