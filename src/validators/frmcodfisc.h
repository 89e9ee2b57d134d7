#pragma once

#include "validators/validatordialog.h"

// The codice fiscale check: length and check character of a 16-character code.
class TfrmCodFisc : public ValidatorDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* owner = nullptr);

    void btnControllaClick() override;

private:
    void txtCodFiscChange();

    QLineEdit* txtCodFisc;
};
