#include "validators/validatordialog.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/window.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QColor panelGrey(0xF3, 0xF1, 0xF1);
const QColor midnightBlue(0x19, 0x19, 0x70);

} // namespace

ValidatorDialog::ValidatorDialog(QWidget* owner, const ValidatorLayout& layout) : QDialog(owner)
{
    applyProcessFormats();
    setupFixedWindow(this, layout.caption, layout.client);
    setWindowGradient(this, layout.colour);
    QWidget* container = makeCentredContainer(this, layout.container);

    shpContainer = new ShapeRect(container, QStringLiteral("shpContainer"), layout.shpContainer);
    shpContainer->fill(panelGrey);

    imgLogo = new Picture(container, QStringLiteral("imgLogo"), layout.imgLogo, layout.logoSvg,
                          layout.logoName);

    lblTitolo = new QLabel(layout.titolo, container);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(uiFont(QStringLiteral("Arial"), 12));
    lblTitolo->move(layout.lblTitolo);
    lblTitolo->adjustSize();

    shpCodFisc = new ShapeRect(container, QStringLiteral("shpCodFisc"), layout.shpCodFisc);
    shpCodFisc->gradient(midnightBlue, Qt::white);

    m_field = new QLineEdit(container);
    m_field->setObjectName(layout.fieldName);
    m_field->setGeometry(layout.field);
    m_field->setFont(uiFont(QStringLiteral("Courier New"), 20, true));
    m_field->setMaxLength(layout.maxLength);
    m_field->setAccessibleName(layout.titolo);
    lblTitolo->setBuddy(m_field);

    btnControlla = makeCommandButton(container, QStringLiteral("btnControlla"),
                                     QStringLiteral("Controlla"), layout.btnControlla);
    btnChiudi = makeCommandButton(container, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  layout.btnChiudi);
    // Enter in the field moves to "Controlla"; on a button, Enter presses that button.
    setTabOrder(m_field, btnControlla);
    setTabOrder(btnControlla, btnChiudi);
    setEnterTarget(m_field, btnControlla);

    connect(btnControlla, &QPushButton::clicked, this, [this] { btnControllaClick(); });
    connect(btnChiudi, &QPushButton::clicked, this, &ValidatorDialog::btnChiudiClick);
}

void ValidatorDialog::preset(const QString& text)
{
    if (text.size() > m_field->maxLength())
        m_field->setMaxLength(int(text.size()));
    m_field->setText(text);
}

void ValidatorDialog::btnChiudiClick()
{
    close();
}

void ValidatorDialog::finish()
{
    accept();
}

void ValidatorDialog::backToField()
{
    m_field->setFocus(Qt::OtherFocusReason);
}

void ValidatorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_field->setFocus(Qt::OtherFocusReason);
}

void ValidatorDialog::tidyOnKeyRelease()
{
    m_field->installEventFilter(this);
}

bool ValidatorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyRelease)
        tidyFieldText(m_field, true);
    return QDialog::eventFilter(watched, event);
}
