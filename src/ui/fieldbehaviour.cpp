#include "ui/fieldbehaviour.h"

#include "core/storage/text.h"
#include "ui/decor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
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

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

QLineEdit* lineEditOf(QWidget* field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit;
    if (auto* box = qobject_cast<QComboBox*>(field))
        return box->lineEdit();
    return nullptr;
}

// Puts clean(text) where the cursor is (over the selection), cut to the room the length limit
// leaves, as one step of the field's undo.
void insertCleaned(QLineEdit* edit, const QString& text, QString (*clean)(const QString&))
{
    if (edit->isReadOnly())
        return;
    const qsizetype kept = edit->text().size() - edit->selectedText().size();
    const QString cleaned = clean(text).left(qMax<qsizetype>(0, edit->maxLength() - kept));
    if (cleaned.isEmpty() && !edit->hasSelectedText())
        return;
    edit->insert(cleaned);
}

class PasteCleaner : public QObject {
public:
    PasteCleaner(QLineEdit* edit, QWidget* keyTarget, QString (*clean)(const QString&))
        : QObject(edit), m_edit(edit), m_clean(clean)
    {
        keyTarget->installEventFilter(this);
        if (keyTarget != edit)
            edit->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!isPasteKey(*static_cast<QKeyEvent*>(event)))
                return false;
            paste(QClipboard::Clipboard);
            return true;
        case QEvent::ContextMenu:
            if (watched != m_edit)
                return false;
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::MouseButtonRelease: {
            // The middle button pastes the selection, where the system has one.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (watched != m_edit || mouse->button() != Qt::MiddleButton
                || !QGuiApplication::clipboard()->supportsSelection()
                || !m_edit->rect().contains(mouse->position().toPoint()))
                return false;
            paste(QClipboard::Selection);
            return true;
        }
        default:
            return false;
        }
    }

private:
    static bool isPasteKey(const QKeyEvent& key)
    {
        return key.matches(QKeySequence::Paste)
               || (key.key() == Qt::Key_Insert && key.modifiers() == Qt::ShiftModifier);
    }

    void paste(QClipboard::Mode mode)
    {
        insertCleaned(m_edit, QGuiApplication::clipboard()->text(mode), m_clean);
    }

    // The field's own menu, with its paste going through the cleaning too.
    void showMenu(const QPoint& at)
    {
        QMenu* menu = m_edit->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : menu->actions()) {
            if (QObject::disconnect(action, SIGNAL(triggered()), m_edit, SLOT(paste()))
                || QObject::disconnect(action, &QAction::triggered, m_edit, &QLineEdit::paste))
                connect(action, &QAction::triggered, this,
                        [this] { paste(QClipboard::Clipboard); });
        }
        menu->popup(at);
    }

    QLineEdit* m_edit;
    QString (*m_clean)(const QString&);
};

class DigitsOnly : public QObject {
public:
    DigitsOnly(QWidget* field, QLineEdit* edit) : QObject(field), m_edit(edit) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return refused(*static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::Drop && m_edit)
            return dropDigits(static_cast<QDropEvent*>(event));
        return false;
    }

private:
    // A key that types anything but a digit; shortcuts and keys that type nothing pass.
    static bool refused(const QKeyEvent& key)
    {
        if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        for (QChar c : key.text()) {
            if (c.isPrint() && !isDigit(c))
                return true;
        }
        return false;
    }

    // Dropped text holding more than digits goes in as its digits, where it was dropped.
    bool dropDigits(QDropEvent* drop)
    {
        const QString text = drop->mimeData()->text();
        if (digitsOf(text) == text || m_edit->isReadOnly())
            return false;
        m_edit->deselect();
        m_edit->setCursorPosition(m_edit->cursorPositionAt(drop->position().toPoint()));
        insertCleaned(m_edit, text, digitsOf);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }

    QPointer<QLineEdit> m_edit;
};

bool isControl(QChar c)
{
    return c.unicode() < 32 || (c.unicode() >= 127 && c.unicode() <= 159);
}

// Takes the control characters out of a line edit's text after every edit by the user,
// keeping the cursor on the same character.
void cleanLineEditAfterEdits(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] {
        const QString text = edit->text();
        const QString clean = withoutControlCharacters(text);
        if (clean == text)
            return;
        const int cursor = edit->cursorPosition();
        const int removedBefore = int(cursor - withoutControlCharacters(text.left(cursor)).size());
        edit->setText(clean);
        edit->setCursorPosition(cursor - removedBefore);
    });
}

// The same for an editable text edit's document, over the part each change put in; the
// cleaning waits for the change to be complete.
template <typename Edit> void cleanDocumentAfterEdits(Edit* edit)
{
    QTextDocument* document = edit->document();
    QObject::connect(document, &QTextDocument::contentsChange, edit,
                     [edit, document](int from, int, int added) {
                         if (added <= 0 || edit->isReadOnly())
                             return;
                         QMetaObject::invokeMethod(
                             edit,
                             [document, from, added] {
                                 const int end = qMin(from + added, document->characterCount());
                                 for (int at = end - 1; at >= from; --at) {
                                     const QChar c = document->characterAt(at);
                                     if (isControl(c) && c != QLatin1Char('\t')) {
                                         QTextCursor cursor(document);
                                         cursor.setPosition(at);
                                         cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
                                         cursor.removeSelectedText();
                                     }
                                 }
                             },
                             Qt::QueuedConnection);
                     });
}

// Watches every widget of the application as it is made ready to show (polished, once per
// widget) and gives each text field the cleaning.
class ControlCharacterGuard : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Polish || watched->property(kCleaned).toBool())
            return false;
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            watched->setProperty(kCleaned, true);
            cleanLineEditAfterEdits(edit);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(watched)) {
            watched->setProperty(kCleaned, true);
            cleanDocumentAfterEdits(plain);
        } else if (auto* rich = qobject_cast<QTextEdit*>(watched)) {
            watched->setProperty(kCleaned, true);
            cleanDocumentAfterEdits(rich);
        }
        return false;
    }

private:
    static constexpr const char* kCleaned = "vestranoControlCharactersOut";
};

} // namespace

void keepControlCharactersOutOfFields()
{
    static QPointer<ControlCharacterGuard> guard;
    if (guard || !qApp)
        return;
    guard = new ControlCharacterGuard(qApp);
    qApp->installEventFilter(guard);
}

QString withoutControlCharacters(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isControl(c))
            out += c;
    }
    return out;
}

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
    QLineEdit* edit = lineEditOf(field);
    auto* filter = new DigitsOnly(field, edit);
    field->installEventFilter(filter);
    if (edit) {
        if (edit != field)
            edit->installEventFilter(filter);
        // Runs before the digit filter: a paste key is not typing.
        new PasteCleaner(edit, field, digitsOf);
    }
    return filter;
}

QObject* cleanPastedText(QLineEdit* edit, QString (*clean)(const QString&))
{
    return new PasteCleaner(edit, edit, clean);
}

QString digitsOf(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (isDigit(c))
            out += c;
    }
    return out;
}

QString withoutBlanks(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() > 32 && c.unicode() != 0xA0)
            out += c;
    }
    return out;
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
