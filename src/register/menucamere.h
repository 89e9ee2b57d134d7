#pragma once

#include <QString>
#include <QWidget>

class Picture;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The entrance to the attendance register: the persons of the registry as fixed-width lines,
// a find-next search, the year, and Apri, which hands the chosen person and year file over to
// the annual calendar through the hidden labels and the calendar's header.
class TfrmMenuCamere : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuCamere(QWidget* parent = nullptr);

    // Controls, named as their objectName.
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListWidget* lstRecords;
    QLineEdit* txtAnnoFatture;
    QPushButton* btnApriFatture;
    Picture* icoMano;
    Picture* imgGuida;
    Picture* imgEsci;

    // Hidden state: the selected person, the chosen year file, the screen that follows.
    QLabel* lblPersona;
    QLabel* lblRecapito;
    QLabel* lblCodFisc;
    QLabel* lblMansioni;
    QLabel* lblFile;
    QLabel* lblMemory;

    // Handlers, as the user triggers them.
    void FormShow();
    void lstRecordsClick();
    void btnTrovaClick();
    void btnApriFattureClick();
    void imgGuidaClick();
    void imgEsciClick();

    // The last search text, lowered; kept for the whole run.
    QString lastSearch() const { return m_lastSearch; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildList();
    int selectedRow() const;
    void selectRow(int row);

    QString m_lastSearch;
    bool m_selecting = false;
};
