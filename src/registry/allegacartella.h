#pragma once

#include <QDialog>

#include <array>

class Picture;
class QLabel;
class QLineEdit;
class QPushButton;
class ShapeRect;

// The attachment dialog: three slots, each a file name and a description. "Sfoglia..." copies
// a chosen file into Documenti_Allegati at once; "Applica e chiudi" hands the six values back
// to the card screen's hidden labels, where the next Save stores them with the card.
// A dialog: created per opening by the card screen, shown modally, destroyed on closing.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 3;

    explicit TfrmAllegaCartella(QWidget* owner = nullptr);

    std::array<QLineEdit*, kSlots> txtFile{};      // txtFile01 .. txtFile03
    std::array<QLineEdit*, kSlots> txtDesc{};      // txtDesc01 .. txtDesc03
    std::array<Picture*, kSlots> imgCancella{};    // imgCancella01 .. imgCancella03
    std::array<QPushButton*, kSlots> btnSfoglia{}; // btnSfoglia01 .. btnSfoglia03
    std::array<QPushButton*, kSlots> btnApri{};    // btnApri01 .. btnApri03
    QPushButton* btnApplica;
    QPushButton* btnAnnulla;
    QLabel* lblMemory; // who opened the dialog: "clienti" for the card screen

    // Slot handlers; slot is 0 to 2.
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void txtFileChange(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    void buildSlot(QWidget* panel, int slot);
};
