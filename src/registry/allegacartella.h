#pragma once

#include <QDialog>
#include <QString>

#include <array>

class Picture;
class QLineEdit;
class QPushButton;

// One attachment slot of a card: the bare name of a file in Documenti_Allegati (empty for
// none) and its description.
struct AttachmentSlot {
    QString file;
    QString desc;
};
using CardAttachments = std::array<AttachmentSlot, 3>;

// The attachment dialog: three slots, each a file name and a description. "Sfoglia..." copies
// a chosen file into Documenti_Allegati at once; "Applica e chiudi" accepts the dialog, whose
// result, attachments(), the card screen that opened it takes as the card's slots (the next
// Save stores them with the card). Annulla rejects it and the card keeps its slots.
// A dialog: created per opening by the card screen, shown modally, destroyed on closing.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 3;

    // The dialog for the slots of a card, which its fields start from (trimmed).
    explicit TfrmAllegaCartella(QWidget* owner = nullptr, const CardAttachments& start = {});

    // The six fields, trimmed (meaningful once the dialog was accepted).
    CardAttachments attachments() const;

    // Slot handlers; slot is 0 to 2.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void txtFileChange(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    void buildSlot(QWidget* panel, int slot);

    std::array<QLineEdit*, kSlots> txtFile{};      // txtFile01 .. txtFile03
    std::array<QLineEdit*, kSlots> txtDesc{};      // txtDesc01 .. txtDesc03
    std::array<Picture*, kSlots> imgCancella{};    // imgCancella01 .. imgCancella03
    std::array<QPushButton*, kSlots> btnSfoglia{}; // btnSfoglia01 .. btnSfoglia03
    std::array<QPushButton*, kSlots> btnApri{};    // btnApri01 .. btnApri03
    QPushButton* btnApplica = nullptr;
    QPushButton* btnAnnulla = nullptr;
};
