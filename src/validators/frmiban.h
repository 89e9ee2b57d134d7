#pragma once

#include "validators/checkdialog.h"

// The IBAN check: the length of an Italian IBAN and the MOD 97 check digits.
class TfrmIban : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* owner = nullptr);

    QLineEdit* txtIban;

    void btnControllaClick() override;
};
