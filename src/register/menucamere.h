#pragma once

#include <QString>
#include <QWidget>

#include "register/planning.h"

class Picture;
class QLineEdit;
class QListWidget;
class QPushButton;

// The entrance to the attendance register: the persons of the registry as fixed-width lines,
// a find-next search, the year, and Apri, which hands the chosen person, the year and its
// year file over to the annual calendar as one value.
class TfrmMenuCamere : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuCamere(QWidget* parent = nullptr);

    // The person of the line chosen last (by a click, Trova or Apri) and, after Apri, the
    // year and its year file: what the calendar is handed.
    const PersonYear& choice() const { return m_choice; }

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
    // Finds the card of the list line at row in the registry and takes its person.
    void resolveRow(int row);

    enum class Next { Avvio, Planning };

    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListWidget* lstRecords;
    QLineEdit* txtAnnoFatture;
    QPushButton* btnApriFatture;
    Picture* icoMano;
    Picture* imgGuida;
    Picture* imgEsci;

    PersonYear m_choice;
    int m_resolvedRow = -1; // the line whose card m_choice holds, -1 for none
    Next m_next = Next::Avvio;
    QString m_lastSearch;
    bool m_selecting = false;
};
