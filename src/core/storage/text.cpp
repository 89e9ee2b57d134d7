#include "core/storage/text.h"

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString trimText(const QString& text)
{
    const QStringView kept = trimmedView(text);
    // A text that needs no trimming is shared, not copied.
    return kept.size() == text.size() ? text : kept.toString();
}

QString upperAZ(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return result;
}

QString lowerAZ(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() - 'A' + 'a');
    }
    return result;
}
