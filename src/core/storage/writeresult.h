#pragma once

#include <QLoggingCategory>
#include <QString>

// Why a file could not be written, for a developer: "vestrano.storage" is silent unless
// switched on, e.g. QT_LOGGING_RULES="vestrano.storage.warning=true". The user sees the
// screen's own message.
Q_DECLARE_LOGGING_CATEGORY(lcStorage)

// The outcome of a write: success, or a failure with its reason (the step and the system's
// words for it). Converts to true on success.
class WriteResult {
public:
    static WriteResult success() { return WriteResult(); }
    // A failure; an empty reason still counts as a failure.
    static WriteResult failure(const QString& reason);

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    // Empty on success.
    const QString& error() const { return m_error; }

private:
    bool m_ok = true;
    QString m_error;
};
