#pragma once

#include <QDialog>

class LinkLabel;
class Picture;
class QLabel;
class QPushButton;
class ShapeRect;

// The information window: what Vestrano is, who makes it, and a mail link to the maker's
// support. Created by the start menu, shown modally, destroyed on close.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner);

    // The mailto link to the support, subject and body filled in, as the mail program gets it.
    static QString supportMailLink();

    void lnkWebClick();
    void btnChiudiClick();

private:
    QWidget* panPannello;
    ShapeRect* shpSfondo;
    Picture* imgLogo;
    QLabel* lblInformazioni;
    QPushButton* btnChiudi;
    Picture* imgEmail;
    LinkLabel* lnkWeb;
};
