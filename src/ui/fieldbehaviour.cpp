#include "ui/fieldbehaviour.h"

#include "core/storage/text.h"
#include "ui/decor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace {

class HighlightFollower : public QObject {
public:
    HighlightFollower(QWidget* field, ShapeRect* highlight) : QObject(field), m_highlight(highlight)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!m_highlight)
            return false;
        if (event->type() == QEvent::FocusIn)
            m_highlight->show();
        else if (event->type() == QEvent::FocusOut)
            m_highlight->hide();
        return false;
    }

private:
    QPointer<ShapeRect> m_highlight;
};

class EnterMover : public QObject {
public:
    EnterMover(QWidget* field, QWidget* next) : QObject(field), m_next(next) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_next) {
                m_next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    QPointer<QWidget> m_next;
};

class DigitsOnly : public QObject {
public:
    explicit DigitsOnly(QWidget* field) : QObject(field) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        const QString text = key->text();
        const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0')
                           && text.at(0) <= QLatin1Char('9')
                           && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        return !digit;
    }
};

} // namespace

ShapeRect* attachFocusHighlight(QWidget* field)
{
    QString name = field->objectName();
    if (name.startsWith(QLatin1String("txt")))
        name = name.mid(3);
    auto* highlight = new ShapeRect(field->parentWidget(), QStringLiteral("eff") + name,
                                    field->geometry().adjusted(-4, -4, 4, 4));
    highlight->fill(QColor(Qt::yellow)).outlineGradient(QColor(Qt::yellow), QColor(Qt::white), 1);
    highlight->stackUnder(field);
    highlight->hide();
    field->installEventFilter(new HighlightFollower(field, highlight));
    return highlight;
}

QObject* setEnterTarget(QWidget* field, QWidget* next)
{
    auto* mover = new EnterMover(field, next);
    field->installEventFilter(mover);
    return mover;
}

QObject* acceptDigitsOnly(QWidget* field)
{
    auto* filter = new DigitsOnly(field);
    field->installEventFilter(filter);
    return filter;
}

void tidyFieldText(QLineEdit* field, bool upper)
{
    const QString text = field->text();
    QString tidy = trimText(text);
    if (upper)
        tidy = upperAZ(tidy);
    if (tidy == text)
        return;
    qsizetype leading = 0;
    while (leading < text.size() && text.at(leading).unicode() <= 32)
        ++leading;
    const int cursor = int(qBound<qsizetype>(0, field->cursorPosition() - leading, tidy.size()));
    field->setText(tidy);
    field->setCursorPosition(cursor);
}

void showTextFromStart(QLineEdit* field)
{
    // Setting a text puts the cursor after its last character (also when the text is the
    // same as before), and the field scrolls to show the cursor. Only the user, in the field,
    // moves it elsewhere.
    const auto toStart = [field] {
        if (!field->hasFocus())
            field->setCursorPosition(0);
    };
    QObject::connect(field, &QLineEdit::textChanged, field, toStart);
    QObject::connect(field, &QLineEdit::cursorPositionChanged, field, toStart);
}
