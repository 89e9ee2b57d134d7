#pragma once

#include "validators/validatordialog.h"

// The partita IVA check: the check digit of an 11-digit number and the VAT office that
// issued it.
class TfrmPartitaIva : public ValidatorDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* owner = nullptr);

    void btnControllaClick() override;

private:
    QLineEdit* txtPartitaIva;
};
