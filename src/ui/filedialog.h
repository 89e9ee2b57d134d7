#pragma once

#include <QList>
#include <QString>

class QWidget;

// The file-open dialog of the system. Returns the chosen path, or an empty text when the user
// cancelled.
QString chooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter);

// Test seam: while a FileDialogRecorder lives, the dialog is not shown; each call takes the
// next queued answer (an empty text, meaning Cancel, when the queue is empty) and the
// caption, folder and filter are recorded.
struct FileDialogRequest {
    QString caption;
    QString folder;
    QString filter;
};

class FileDialogRecorder {
public:
    FileDialogRecorder();
    ~FileDialogRecorder();
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    void setNextAnswer(const QString& path) { m_answers.append(path); }
    const QList<FileDialogRequest>& requests() const { return m_requests; }

    QString answer(const FileDialogRequest& request);

private:
    QList<FileDialogRequest> m_requests;
    QList<QString> m_answers;
    FileDialogRecorder* m_previous;
};
