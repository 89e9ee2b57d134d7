#pragma once

#include <QDialog>

class LinkLabel;
class Picture;
class QPushButton;

// The maker's notice: a large picture about the maker and a link to its web site. Created
// by the start menu, shown modally centred on it, destroyed on close.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner);

    void lnkWebClick();
    void btnChiudiClick();

private:
    Picture* imgSplash;
    Picture* imgWeb;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;
};
