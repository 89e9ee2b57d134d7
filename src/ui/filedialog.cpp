#include "ui/filedialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

// A filter entry is a text with its patterns in the last parentheses: "Tutti i file (*.*)".
// Here a pattern "*.*" would match only names holding a dot, while the entry means every
// file. When an entry names "*.*", every entry is handed to the dialog as its own text
// followed by the patterns really used, and the dialog shows the texts only: the user reads
// "Tutti i file (*.*)" and sees every file.
QString dialogFilter(const QString& filter, QFileDialog::Options& options)
{
    static const QRegularExpression entryPattern(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    const QStringList entries = filter.split(QStringLiteral(";;"));
    QStringList rebuilt;
    bool everyFile = false;
    for (const QString& entry : entries) {
        const QRegularExpressionMatch m = entryPattern.match(entry);
        if (!m.hasMatch()) {
            rebuilt.append(entry);
            continue;
        }
        QStringList patterns = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            if (p == QLatin1String("*.*")) {
                p = QStringLiteral("*");
                everyFile = true;
            }
        }
        rebuilt.append(entry + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                       + QLatin1Char(')'));
    }
    if (!everyFile)
        return filter;
    options |= QFileDialog::HideNameFilterDetails;
    return rebuilt.join(QStringLiteral(";;"));
}
FileDialogRecorder*& activeRecorder()
{
    static FileDialogRecorder* recorder = nullptr;
    return recorder;
}
} // namespace

FileDialogRecorder::FileDialogRecorder() : m_previous(activeRecorder())
{
    activeRecorder() = this;
}

FileDialogRecorder::~FileDialogRecorder()
{
    activeRecorder() = m_previous;
}

QString FileDialogRecorder::answer(const FileDialogRequest& request)
{
    m_requests.append(request);
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter)
{
    if (FileDialogRecorder* recorder = activeRecorder())
        return recorder->answer({caption, folder, filter});
    QFileDialog::Options options;
    const QString shown = dialogFilter(filter, options);
    return QFileDialog::getOpenFileName(parent, caption, folder, shown, nullptr, options);
}
