#include "core/validators/ibancheck.h"

#include "core/storage/text.h"

QString IbanToDigits(const QString& text)
{
    QString result;
    result.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            result += QString::number(c.unicode() - 55);
        else
            result += c;
    }
    return result;
}

int IbanMod97(const QString& text)
{
    QString s = upperAZ(text);
    const qsizetype label = s.indexOf(QLatin1String("IBAN"));
    if (label >= 0)
        s.remove(label, 4);
    s = s.mid(4) + s.left(4);
    s = IbanToDigits(s);

    // No piece is longer than nine digits, so every number fits an int.
    QString acc;
    int r = 0;
    qsizetype p = 0;
    qsizetype t = 9;
    while (p < s.size()) {
        acc += s.mid(p, t);
        int value = 0;
        for (const QChar c : acc) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return 0;
            value = value * 10 + (c.unicode() - '0');
        }
        r = value % 97;
        p += t;
        acc = QString::number(r);
        t = 9 - acc.size();
    }
    return r;
}

bool IbanValid(const QString& text)
{
    QString s = text;
    s.remove(QLatin1Char(' '));
    return IbanMod97(s) == 1;
}
