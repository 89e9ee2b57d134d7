#include "app/filedialog.h"

#include <QFileDialog>

namespace {
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
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}
