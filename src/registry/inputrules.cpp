#include "registry/inputrules.h"

#include "core/storage/text.h"
#include "core/storage/windows1252.h"
#include "ui/fieldbehaviour.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The characters each filter refuses. B refuses what would break an address, a mail address or
// a code; C is B without the ampersand (firm names); D adds what a codice fiscale never holds.
const QString kAccentedLetters = QStringLiteral(
    "\u00C0\u00C1\u00C2\u00C4\u00C7\u00C8\u00C9\u00CA\u00CB\u00CC\u00CD\u00CE\u00CF\u00D1"
    "\u00D2\u00D3\u00D4\u00D6\u00D9\u00DA\u00DB\u00DC"
    "\u00E0\u00E1\u00E2\u00E4\u00E7\u00E8\u00E9\u00EA\u00EB\u00EC\u00ED\u00EE\u00EF\u00F1"
    "\u00F2\u00F3\u00F4\u00F6\u00F9\u00FA\u00FB\u00FC");

const QString& refusedBy(InputFilter filter)
{
    static const QString a = QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1");
    static const QString b = QStringLiteral("&/<>\u00A3\u00B0") + kAccentedLetters;
    static const QString c = QStringLiteral("/<>\u00A3\u00B0") + kAccentedLetters;
    static const QString d = b + QStringLiteral("\"*:?\\");
    static const QString none;
    switch (filter) {
    case InputFilter::A:
        return a;
    case InputFilter::B:
        return b;
    case InputFilter::C:
        return c;
    case InputFilter::D:
        return d;
    case InputFilter::None:
    case InputFilter::Digits:
        break;
    }
    return none;
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

bool isRefused(InputFilter filter, QChar c)
{
    if (filter == InputFilter::Digits)
        return !isDigit(c);
    return refusedBy(filter).contains(c);
}

bool keyPasses(InputFilter filter, const QKeyEvent& event)
{
    if (filter == InputFilter::Digits)
        return true;
    for (QChar c : event.text()) {
        if (isRefused(filter, c))
            return false;
    }
    return true;
}

QString applyTypingRule(TextRules rules, const QString& text)
{
    QString out = text;
    if (rules & TrimTyping)
        out = trimText(out);
    if (rules & UpperTyping)
        out = upperAZ(out);
    return out;
}

QString cleanInsertion(InputFilter filter, const QString& inserted, int room)
{
    QString out;
    const qsizetype n = inserted.size();
    for (qsizetype i = 0; i < n && out.size() < room; ++i) {
        const QChar c = inserted.at(i);
        if (c.isHighSurrogate() && i + 1 < n && inserted.at(i + 1).isLowSurrogate()) {
            ++i;
            out += QLatin1Char('?');
            continue;
        }
        if (filter != InputFilter::None && isRefused(filter, c))
            continue;
        out += isWindows1252(c.unicode()) ? c : QLatin1Char('?');
    }
    return out;
}

InputRuleKeeper::InputRuleKeeper(QLineEdit* edit, QWidget* keyTarget, InputFilter filter,
                                 TextRules rules)
    : QObject(edit), m_edit(edit), m_filter(filter), m_rules(rules), m_before(edit->text())
{
    if (filter == InputFilter::Digits)
        acceptDigitsOnly(keyTarget);
    if (filter != InputFilter::Digits || (rules & TrimLeaving))
        keyTarget->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, &InputRuleKeeper::remember);
    connect(edit, &QLineEdit::textEdited, this, &InputRuleKeeper::edited);
}

bool InputRuleKeeper::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (!keyPasses(m_filter, *static_cast<QKeyEvent*>(event)))
            return true; // discarded: nothing reaches the field
    } else if (event->type() == QEvent::FocusOut && (m_rules & TrimLeaving)) {
        tidyFieldText(m_edit, m_rules & UpperLeaving);
    }
    return false;
}

// The edit announces a change made inside a user edit after the user edit's own signal, with
// the text as it was before that change: the field's text itself is what holds.
void InputRuleKeeper::remember()
{
    m_before = m_edit->text();
}

// Finds what the edit put in (the text between the part kept in front and the part kept
// behind), cleans only that, then applies the typing rule to the whole text.
void InputRuleKeeper::edited(const QString& text)
{
    const QString before = m_before;
    const qsizetype shorter = qMin(before.size(), text.size());
    qsizetype front = 0;
    while (front < shorter && before.at(front) == text.at(front))
        ++front;
    if (front > 0 && text.at(front - 1).isHighSurrogate())
        --front;
    qsizetype back = 0;
    while (back < shorter - front
           && before.at(before.size() - 1 - back) == text.at(text.size() - 1 - back))
        ++back;
    if (back > 0 && text.at(text.size() - back).isLowSurrogate())
        --back;

    const QString inserted = text.mid(front, text.size() - front - back);
    const int limit = m_edit->maxLength();
    const int room = int(qMax<qsizetype>(0, limit - (text.size() - inserted.size())));
    const QString cleaned = cleanInsertion(m_filter, inserted, room);
    const QString joined = text.left(front) + cleaned + text.right(back);
    const QString result = applyTypingRule(m_rules, joined);
    if (result == text) {
        m_before = text;
        return;
    }

    qsizetype cursor = front + cleaned.size();
    if (m_rules & TrimTyping) {
        // Characters trimmed in front of the cursor move it back.
        const QString head = trimText(joined.left(cursor) + QStringLiteral("x"));
        cursor = head.size() - 1;
    }
    m_edit->setText(result);
    m_edit->setCursorPosition(int(qBound<qsizetype>(0, cursor, result.size())));
    m_before = result;
}
