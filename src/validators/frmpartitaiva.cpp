#include "validators/frmpartitaiva.h"

#include "core/storage/text.h"
#include "core/validators/partitaivacheck.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"

#include <QLineEdit>

namespace {

ValidatorLayout partitaIvaLayout()
{
    ValidatorLayout l;
    l.caption = QStringLiteral(" Controllo partita IVA");
    l.client = QSize(480, 254);
    l.colour = QColor(0xBF, 0x2E, 0x2E);
    l.container = QSize(453, 222);
    l.shpContainer = QRect(8, 8, 437, 169);
    l.imgLogo = QRect(16, 16, 421, 73);
    l.logoSvg = QStringLiteral(":/validators/partitaiva.svg");
    l.logoName = QStringLiteral("Controllo partita IVA");
    l.lblTitolo = QPoint(16, 98);
    l.titolo =
        QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo.");
    l.shpCodFisc = QRect(16, 118, 421, 50);
    l.fieldName = QStringLiteral("txtPartitaIva");
    l.field = QRect(26, 128, 233, 28);
    l.maxLength = 11;
    l.btnControlla = QRect(268, 128, 160, 28);
    l.btnChiudi = QRect(170, 184, 116, 28);
    return l;
}

} // namespace

TfrmPartitaIva::TfrmPartitaIva(QWidget* owner) : ValidatorDialog(owner, partitaIvaLayout())
{
    txtPartitaIva = inputField();
    acceptDigitsOnly(txtPartitaIva);
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString number = upperAZ(txtPartitaIva->text());
    if (number.size() != 11) {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 "
                                   "caratteri numerici."));
        backToField();
        return;
    }
    if (PartitaIvaValid(number)) {
        const QString office = ivaOfficeName(number.mid(7, 3));
        showMessage(this, MessageKind::Information,
                    QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                   "E' stato rilasciato dall'Ufficio IVA del Comune di ")
                        + office + QLatin1Char('.'));
    } else {
        showMessage(this, MessageKind::Warning,
                    QStringLiteral("Attenzione: il numero di partita IVA digitato risulta "
                                   "ERRATO!\r\n\r\nNon \u00e8 quindi possibile fornire "
                                   "informazioni relative all'Ufficio IVA che lo ha "
                                   "rilasciato."));
    }
    finish();
}
