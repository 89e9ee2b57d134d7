#pragma once

#include <QWidget>

class Picture;
class ShapeRect;

// The start menu, reached after the login: the two halves of Vestrano (the person registry
// and the attendance register), help, information, the maker's notice and web site, and the
// way out of the program.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    TfrmAvvio();

    void imgAnagraficaClick(); // the registry card screen
    void imgPresenzeClick();   // the person and year selection
    void imgInfoClick();
    void imgGuidaClick();
    void imgAvvisoClick();
    void imgSitoClick();
    void imgEsciClick();

protected:
    // Closing the start menu ends the program, as its exit icon does.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* panContainer;
    ShapeRect* shpSfondo;
    Picture* icoNome;
    Picture* imgSottotitolo;
    Picture* imgInfo;
    Picture* imgGuida;
    Picture* imgAnagrafica;
    Picture* btnAnagrafica;
    Picture* imgPresenze;
    Picture* btnPresenze;
    Picture* imgSito;
    Picture* imgAvviso;
    Picture* imgEsci;
};
