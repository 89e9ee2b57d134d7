#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QWidget;

// What a field of the card screen lets the user type. The four character filters refuse a
// fixed set of characters; Digits lets only digits and a few editing keys through.
enum class InputFilter { None, A, B, C, D, Digits };

// How a field rewrites its own text: after every change made by typing or pasting
// (UpperTyping, TrimTyping) and when it loses the focus (TrimLeaving, with UpperLeaving also
// upper-cased).
enum TextRule : unsigned {
    NoRule = 0,
    UpperTyping = 1u << 0,
    TrimTyping = 1u << 1,
    UpperLeaving = 1u << 2,
    TrimLeaving = 1u << 3,
};
using TextRules = unsigned;

// True when the filter keeps the character out of the field.
bool isRefused(InputFilter filter, QChar c);

// True when a key press of a field with a character filter reaches the field: the key's
// text holds no refused character. (Digits-only fields use the shared acceptDigitsOnly.)
bool keyPasses(InputFilter filter, const QKeyEvent& event);

// The field's text after the rule for typing (upper case A to Z, trim) has been applied.
QString applyTypingRule(TextRules rules, const QString& text);

// Cleans text that typing, pasting or dropping puts into a field: characters the filter
// refuses are dropped, every character outside Windows-1252 becomes "?" (a character outside
// the Basic Multilingual Plane is one "?"), and the result is cut to room characters.
QString cleanInsertion(InputFilter filter, const QString& inserted, int room);

// Keeps one line edit to its rules: filters key presses arriving at keyTarget (the edit, or
// the drop-down box that forwards keys to it), cleans every user edit (typed, pasted or
// dropped text) and applies the typing and leaving rules. Owned by the edit.
class InputRuleKeeper : public QObject {
    Q_OBJECT
public:
    InputRuleKeeper(QLineEdit* edit, QWidget* keyTarget, InputFilter filter, TextRules rules);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void edited(const QString& text);
    void remember();

    QLineEdit* m_edit;
    InputFilter m_filter;
    TextRules m_rules;
    QString m_before; // the text before the latest user edit
};
