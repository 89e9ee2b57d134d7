#pragma once

#include "core/registry/anagraficarecord.h"
#include "core/registry/listline.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class Picture;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class ReportDocument;
class StoredLinesModel;
class TfrmClienti;

// The frame shared by the dialogs that list registry cards (the search results, the recontact
// list): a banner, the "Trova" key field and button, the list of card lines, "Stampa" and
// "Chiudi". The list holds the lines of the cards sorted once and filled in one go; "Trova"
// finds a line, a double click (or Enter) on a line puts its card onto the card screen with its
// number and closes the dialog, "Stampa" prints the lines as a list report.
//
// Created by the card screen for each opening, shown modally, destroyed when closed.
class CardListDialog : public QDialog {
    Q_OBJECT
public:
    ~CardListDialog() override;

    // The lines of the list, in list order, and how many there are.
    QStringList lines() const { return m_lines.toList(); }
    qsizetype lineCount() const { return m_lines.size(); }
    ReportDocument& report() { return *m_report; }

    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    CardListDialog(TfrmClienti* cards, const QString& name, const QString& caption);

    // The centred area of 833 x 529 that holds the dialog's panels.
    QWidget* container() const { return m_container; }

    // Builds the result panel into a new panel of the container. tabOrder names the panel's
    // focusable controls (txtTrova, btnTrova, lstRecords, btnStampa, btnChiudi) in tab order.
    QWidget* buildResultPanel(const QString& bannerSvg, const QString& bannerText,
                              const QStringList& tabOrder);

    // Sorts the lines into list order and shows them in the list in one go. The list holds
    // nothing per line: it shows each line from the compact lines kept here.
    void setLines(CardLineList lines);
    void clearLines();
    // Makes line row the current line of the list, and the only one selected.
    void setCurrentLine(int row);
    // A new "Trova" search starts from the first line: the last key and the key field are empty.
    void resetFind();
    // Gives the key field of "Trova" the focus.
    void focusFindField();

    // What the list's lines end with, and the title of the printed list.
    virtual AnagraficaField lastColumn() const = 0;
    virtual QString reportTitle() const = 0;

    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The result panel.
    Picture* titRisultati = nullptr;
    QLabel* lblIstruzioni = nullptr;
    QLabel* lblIstruzioniTrova = nullptr;
    Picture* icoLente = nullptr;
    QLineEdit* txtTrova = nullptr;
    QPushButton* btnTrova = nullptr;
    QListView* lstRecords = nullptr;
    StoredLinesModel* m_model = nullptr;
    QLabel* lblDoppioClic = nullptr;
    QPushButton* btnStampa = nullptr;
    QPushButton* btnChiudi = nullptr;

    TfrmClienti* m_cards;
    QWidget* m_container;
    CardLineList m_lines;
    QString m_lastKey;
    std::unique_ptr<ReportDocument> m_report;
};

// The message of "Trova" on a list without lines.
extern const QString kEmptyListMessage;
