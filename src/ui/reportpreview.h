#pragma once

#include <QDialog>

class QAction;
class QComboBox;
class QPrintPreviewWidget;
class QPrinter;
class ReportDocument;

// The preview window of report documents: the prepared pages at 100 %, a toolbar with Print,
// Zoom (in, out and a choice of sizes), Full screen and Close, and nothing that edits.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    ReportPreviewWindow(QWidget* parent, const ReportDocument& document);
    ~ReportPreviewWindow() override;

    QPrintPreviewWidget* view() const { return m_view; }

private:
    void zoomChosen(int index);
    void showZoom();
    void toggleFullScreen(bool on);

    const ReportDocument& m_document;
    QPrinter* m_printer;
    QPrintPreviewWidget* m_view;
    QComboBox* m_zoom;
};
