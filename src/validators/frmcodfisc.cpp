#include "validators/frmcodfisc.h"

#include "core/storage/text.h"
#include "core/validators/codfisccheck.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"

#include <QLineEdit>

namespace {

ValidatorLayout codFiscLayout()
{
    ValidatorLayout l;
    l.caption = QStringLiteral(" Controllo codice fiscale");
    l.client = QSize(478, 254);
    l.colour = QColor(0x20, 0x63, 0x20);
    l.container = QSize(453, 222);
    l.shpContainer = QRect(8, 8, 437, 169);
    l.imgLogo = QRect(16, 16, 421, 73);
    l.logoSvg = QStringLiteral(":/validators/codfisc.svg");
    l.logoName = QStringLiteral("Controllo codice fiscale");
    l.lblTitolo = QPoint(16, 98);
    l.titolo = QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo.");
    l.shpCodFisc = QRect(16, 118, 421, 50);
    l.fieldName = QStringLiteral("txtCodFisc");
    l.field = QRect(26, 128, 233, 28);
    l.maxLength = 16;
    l.btnControlla = QRect(268, 128, 160, 28);
    l.btnChiudi = QRect(170, 184, 116, 28);
    return l;
}

} // namespace

TfrmCodFisc::TfrmCodFisc(QWidget* owner) : ValidatorDialog(owner, codFiscLayout())
{
    txtCodFisc = inputField();
    // Every typed character leaves the code trimmed and in capitals; no key is refused.
    connect(txtCodFisc, &QLineEdit::textEdited, this, &TfrmCodFisc::txtCodFiscChange);
}

void TfrmCodFisc::txtCodFiscChange()
{
    tidyFieldText(txtCodFisc, true);
}

void TfrmCodFisc::btnControllaClick()
{
    const QString code = upperAZ(txtCodFisc->text());
    if (code.size() != 16) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 "
                                   "caratteri alfanumerici."));
        backToField();
        return;
    }
    if (CodFiscCheckChar(code))
        showMessage(this, MessageKind::Information,
                    QStringLiteral("Il codice fiscale digitato \u00e8 VALIDO."));
    else
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: il codice fiscale digitato \u00e8 ERRATO."));
    finish();
}
