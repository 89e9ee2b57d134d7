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

    // Shows the login again in place of screen, with an empty password field that has the
    // focus: the screen a password change hands back to when it closes.
    void comeBackFrom(QWidget* screen);

    void txtPasswordChange();
    void txtPasswordKeyPressEnter();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
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
};
