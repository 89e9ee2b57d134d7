#pragma once

#include "validators/checkdialog.h"

// The payment card check: the Luhn check digit and the brand of the card.
class TfrmCarta : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* owner = nullptr);

    QLineEdit* txtNumero;

    void btnControllaClick() override;
};
