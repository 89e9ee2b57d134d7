#include "validators/frmiban.h"

#include "core/storage/text.h"
#include "core/validators/ibancheck.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"

#include <QLineEdit>

namespace {

ValidatorLayout ibanLayout()
{
    ValidatorLayout l;
    l.caption = QStringLiteral(" Controllo IBAN");
    l.client = QSize(608, 270);
    l.colour = QColor(0x19, 0x19, 0x70);
    l.container = QSize(577, 238);
    l.shpContainer = QRect(8, 8, 561, 185);
    l.imgLogo = QRect(16, 16, 545, 85);
    l.logoSvg = QStringLiteral(":/validators/iban.svg");
    l.logoName = QStringLiteral("Controllo IBAN");
    l.lblTitolo = QPoint(16, 111);
    l.titolo = QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo.");
    l.shpCodFisc = QRect(16, 134, 545, 50);
    l.fieldName = QStringLiteral("txtIban");
    l.field = QRect(26, 144, 359, 28);
    l.maxLength = 27;
    l.btnControlla = QRect(392, 144, 160, 28);
    l.btnChiudi = QRect(232, 200, 116, 28);
    return l;
}

} // namespace

TfrmIban::TfrmIban(QWidget* owner) : ValidatorDialog(owner, ibanLayout())
{
    txtIban = inputField();
    // No key is refused; every key released leaves the text trimmed and in capitals.
    tidyOnKeyRelease();
    // An IBAN pasted in its printed form, in groups, comes in whole.
    cleanPastedText(txtIban, withoutBlanks);
}

void TfrmIban::btnControllaClick()
{
    const QString iban = trimText(txtIban->text());
    if (iban.size() != 27) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri "
                                   "alfanumerici."));
        backToField();
        return;
    }
    if (IbanValid(iban))
        showMessage(this, MessageKind::Information,
                    QStringLiteral("L'IBAN digitato \u00e8 VALIDO."));
    else
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: l'IBAN digitato \u00e8 ERRATO!"));
    finish();
}
