#include "storage/text.h"

QString trimText(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
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
