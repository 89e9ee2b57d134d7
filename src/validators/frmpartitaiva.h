#pragma once

#include "validators/checkdialog.h"

// The partita IVA check: the check digit of an 11-digit number and the VAT office that
// issued it.
class TfrmPartitaIva : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* owner = nullptr);

    QLineEdit* txtPartitaIva;

    void btnControllaClick() override;
};
