#pragma once

#include <QDialog>

class LinkLabel;
class Picture;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ShapeRect;

// The help window: a topic title and its text, a link to the user guide Guida.pdf and a
// close button. Created by the screen that opens it, shown modally, destroyed on close.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* owner);

    void setTopic(const QString& title, const QString& text);

    // Opens the user guide beside the program.
    void lnkWebClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ShapeRect* shpSfondo;
    Picture* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    Picture* imgPDF;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;
};

// Opens the help window owned by owner with the given topic, waits until it is closed and
// destroys it.
void showHelp(QWidget* owner, const QString& title, const QString& text);
