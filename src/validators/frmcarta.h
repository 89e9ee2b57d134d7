#pragma once

#include "validators/validatordialog.h"

// The payment card check: the Luhn check digit and the brand of the card.
class TfrmCarta : public ValidatorDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* owner = nullptr);

    void btnControllaClick() override;

private:
    QLineEdit* txtNumero;
};
