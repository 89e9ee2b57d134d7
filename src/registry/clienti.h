#pragma once

#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "core/reports/cardreport.h"
#include "registry/allegacartella.h"
#include "registry/clientifields.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class InfoLine;
class Picture;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The registry card screen: one card of Anagrafica.pro at a time, its 31 text fields, the
// recontact box, the card's three attachment slots (held as values, edited in the attachment
// dialog) and the card's number between the four arrows. The search and the recontact list
// put the card they find here with ShowRecord and setCardNumber.
// A long-lived screen: created once, shown by the start menu, hidden on closing.
class TfrmClienti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);

    // Puts a stored card, as read from the registry, into the controls and the attachment
    // slots and remembers its bytes: Save in place writes only over a record that still holds
    // them. The card number is left to the caller.
    void ShowRecord(const AnagraficaRecord& record);
    // The CardNumber: the 1-based number of the card shown, 0 for a card not yet stored.
    // Setting it shows it in lblPosizione.
    qint64 cardNumber() const { return m_cardNumber; }
    void setCardNumber(qint64 number);
    // Builds a card from the controls and the attachment slots into the screen's record
    // buffer and returns it.
    AnagraficaRecord BuildRecord();

    // The card's three attachment slots, as the next Save stores them.
    const CardAttachments& attachments() const { return m_attachments; }
    // What "Applica e chiudi" of the attachment dialog does with its result: the card takes
    // the slots, and the next Save stores them.
    void applyAttachments(const CardAttachments& attached);

    InfoLine* info() const { return m_info; }

    // Card operations.
    void imgPrimaClick();
    void imgPrecedenteClick();
    void imgSuccessivaClick();
    void imgUltimaClick();
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();

    // Commands that open other screens.
    void cmdFileClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    void cmdRicontattaClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void btnEmailClick();
    void btnCodFiscClick();
    void btnCartaClick();
    void btnPartitaIvaClick();
    void btnIbanClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The edit of a text field (for a province box, the edit inside it).
    QLineEdit* edit(AnagraficaField field) const;
    // The named control of a text field (the province boxes are drop-down boxes).
    QWidget* control(AnagraficaField field) const;
    QComboBox* provinceBox(AnagraficaField field) const;
    // Builds what lies behind the controls; returns its pictures.
    QList<QWidget*> buildFrame(QWidget* panel);
    void buildFields(QWidget* panel);
    void buildCommands(QWidget* panel);
    void clearCard();
    void resetProvinceSelections();
    // Opens the check dialog of a validator button with its starting text.
    void openCheckDialog(const CheckRequest& request);
    // Reads card index into the buffer, shows it and sets the card number; a failure shows
    // the access failure message and changes nothing.
    void loadCard(qint64 index);
    std::optional<qint64> cardCount();
    std::optional<qint64> storedCardCount();
    void accessFailure();
    // Fills the card document from the controls as they are and prepares its page.
    void prepareCardReport();

    std::array<QWidget*, kCardFieldCount> m_controls{};
    std::array<QLineEdit*, kCardFieldCount> m_edits{};
    QCheckBox* chkRicontatta = nullptr;
    QLabel* lblPosizione = nullptr; // shows the CardNumber, empty for a card not yet stored
    InfoLine* m_info = nullptr;
    // The card's attachments: what the attachment dialog last handed back, or what the card
    // shown holds; stored with the card at the next Save.
    CardAttachments m_attachments;
    qint64 m_cardNumber = 0;
    // The one record buffer of the screen: reading and building overwrite it field by field.
    AnagraficaRecord m_buffer;
    // The stored card on screen as the registry held it when it was read or last saved.
    AnagraficaRecord m_shown;
    // The registry card document printed, previewed and exported by this screen.
    std::unique_ptr<ReportDocument> m_cardReport = makeCardReport();
};
