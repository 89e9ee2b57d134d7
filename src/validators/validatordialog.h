#pragma once

#include <QColor>
#include <QDialog>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;
class ShapeRect;

// The frame the four check dialogs share: a fixed window with a gradient, a centred container
// with a grey panel, the title picture, the prompt, the input field on a blue band, and the
// "Controlla" and "Chiudi" buttons. Each dialog describes its own window in a ValidatorLayout and
// decides in btnControllaClick. Every dialog is created per opening and only reports: it
// never writes anything back to the screen that opened it.
struct ValidatorLayout {
    QString caption;
    QSize client;
    QColor colour; // gradient from this colour at the top to white
    QSize container;
    QRect shpContainer; // the light grey panel
    QRect imgLogo;
    QString logoSvg;  // resource path of the title picture
    QString logoName; // what the title picture says, for assistive technologies
    QPoint lblTitolo; // the prompt sizes itself
    QString titolo;
    QRect shpCodFisc; // the band behind the field and the button
    QString fieldName;
    QRect field;
    int maxLength;
    QRect btnControlla;
    QRect btnChiudi;
};

class ValidatorDialog : public QDialog {
    Q_OBJECT
public:
    // Puts a text handed over by another screen into the field, whole: a text longer than the
    // field's limit (a codice fiscale of 16 digits in the partita IVA field) raises the limit to
    // its length for this opening, so the check judges what the card holds and never a
    // shortened copy of it.
    void preset(const QString& text);

protected:
    ValidatorDialog(QWidget* owner, const ValidatorLayout& layout);

    // The input field, for the dialog's own rules and check.
    QLineEdit* inputField() const { return m_field; }

    virtual void btnControllaClick() = 0;
    void btnChiudiClick();
    // The verdict has been given: the dialog closes.
    void finish();
    // A correction is wanted: the focus goes back to the field and the dialog stays open.
    void backToField();

    // From now on every key released in the field leaves its text trimmed and upper-cased.
    void tidyOnKeyRelease();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ShapeRect* shpContainer;
    Picture* imgLogo;
    QLabel* lblTitolo;
    ShapeRect* shpCodFisc;
    QLineEdit* m_field;
    QPushButton* btnControlla;
    QPushButton* btnChiudi;
};

// Creates a fresh dialog of kind D owned by owner, presets its input field, shows it
// modally and destroys it when it closes.
template <class D> void runValidatorDialog(QWidget* owner, const QString& preset)
{
    D dialog(owner);
    dialog.preset(preset);
    dialog.exec();
}
