#pragma once

#include "validators/validatordialog.h"

// The IBAN check: the length of an Italian IBAN and the MOD 97 check digits.
class TfrmIban : public ValidatorDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* owner = nullptr);

    void btnControllaClick() override;

private:
    QLineEdit* txtIban;
};
