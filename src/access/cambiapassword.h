#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;
class ShapeRect;

// The password change screen, reached only from the login screen: replaces the stored
// password after checking the old one and a confirmation of the new one, and always hands
// back to the login screen when it closes.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

    void txtChange();
    void cmdOKClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refuseNewPassword(const QString& message);

    QWidget* panContainer;
    ShapeRect* shpSfondo;
    Picture* imgLogo;
    QLabel* lblRigo05;
    ShapeRect* effPasswordOld;
    QLineEdit* txtPasswordOld;
    QLabel* lblRigo06;
    ShapeRect* effPasswordNew;
    QLineEdit* txtPasswordNew;
    QLabel* lblRigo07;
    ShapeRect* effConferma;
    QLineEdit* txtConferma;
    QPushButton* cmdEsci;
    QPushButton* cmdOK;
};
