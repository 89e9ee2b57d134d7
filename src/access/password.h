#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;
class ShapeRect;

// The login screen, the application's main window and the first window of every run: the
// access password leads to the start menu; from here the password change screen is reached.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    QWidget* panContainer;
    ShapeRect* shpSfondo;
    Picture* imgLogo;
    ShapeRect* shpTitolo;
    QLabel* lblRigo05;
    ShapeRect* effPassword;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
    QLabel* lblMemory; // hidden scratch holder while "OK" checks the password

    void txtPasswordChange();
    void txtPasswordKeyPressEnter();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
