#include "core/base/formats.h"

#include <QLocale>

void applyProcessFormats()
{
    // Italian conventions give the comma as decimal separator; dates go through the two
    // functions below, which never depend on the locale.
    QLocale locale(QLocale::Italian, QLocale::Italy);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

QString formatShortDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString formatLongTime(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QDate parseShortDate(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}
