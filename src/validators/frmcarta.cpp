#include "validators/frmcarta.h"

#include "core/storage/text.h"
#include "core/validators/cardcheck.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"

#include <QLineEdit>

namespace {

ValidatorLayout cartaLayout()
{
    ValidatorLayout l;
    l.caption = QStringLiteral(" Controllo carta di credito");
    l.client = QSize(519, 254);
    l.colour = QColor(0x19, 0x19, 0x70);
    l.container = QSize(490, 222);
    l.shpContainer = QRect(8, 8, 473, 169);
    l.imgLogo = QRect(16, 16, 457, 73);
    l.logoSvg = QStringLiteral(":/validators/carta.svg");
    l.logoName = QStringLiteral("Controllo carta di credito");
    l.lblTitolo = QPoint(16, 95);
    l.titolo = QStringLiteral(
        "Immettere il numero di carta di credito e premere il pulsante di controllo.");
    l.shpCodFisc = QRect(16, 118, 457, 50);
    l.fieldName = QStringLiteral("txtNumero");
    l.field = QRect(26, 128, 271, 28);
    l.maxLength = 30;
    l.btnControlla = QRect(304, 128, 160, 28);
    l.btnChiudi = QRect(186, 184, 116, 28);
    return l;
}

const QString wrongNumber = QStringLiteral(
    "Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon \u00e8 quindi possibile fornire "
    "informazioni relative al tipo di carta di credito.");

} // namespace

TfrmCarta::TfrmCarta(QWidget* owner) : ValidatorDialog(owner, cartaLayout())
{
    txtNumero = inputField();
    acceptDigitsOnly(txtNumero);
    tidyOnKeyRelease();
}

void TfrmCarta::btnControllaClick()
{
    const QString trimmed = trimText(txtNumero->text());
    if (trimmed.isEmpty()) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: immettere il numero di carta di credito prima "
                                   "di premere il pulsante di controllo."));
        backToField();
        return;
    }
    const int cardClass = CardCheck(txtNumero->text());
    if (cardClass >= 1 && cardClass <= 4) {
        // A first-digit-3 number whose first two characters name no brand gets no message.
        const QString brand = cardBrand(cardClass, trimmed);
        if (!brand.isEmpty())
            showMessage(this, MessageKind::Information,
                        QStringLiteral("Il numero di carta di credito ") + trimmed
                            + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito "
                                             "\u00e8 del tipo ")
                            + brand + QLatin1Char('.'));
    } else {
        showMessage(this, MessageKind::Warning, wrongNumber);
    }
    finish();
}
