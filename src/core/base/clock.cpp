#include "core/base/clock.h"

namespace {
QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime currentDateTime()
{
    return fixedMoment().isValid() ? fixedMoment() : QDateTime::currentDateTime();
}

void setClockForTests(const QDateTime& fixed)
{
    fixedMoment() = fixed;
}
