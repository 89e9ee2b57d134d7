#include "core/storage/writeresult.h"

Q_LOGGING_CATEGORY(lcStorage, "vestrano.storage", QtCriticalMsg)

WriteResult WriteResult::failure(const QString& reason)
{
    WriteResult result;
    result.m_ok = false;
    result.m_error = reason.isEmpty() ? QStringLiteral("write failed") : reason;
    return result;
}
