#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// The five kinds of message box of the system. The kind fixes icon and buttons:
//   Warning, Error, Information: icon, OK and Cancel (the answer is not looked at)
//   Confirmation: question icon, Yes and No (No abandons the caller's action)
//   Plain: no icon, OK only
enum class MessageKind { Warning, Error, Information, Confirmation, Plain };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows a modal message box and returns the button pressed. Texts keep their CR LF and
// LF CR LF CR line breaks as given; the box shows them as line breaks.
MessageAnswer showMessage(QWidget* parent, MessageKind kind, const QString& text);

// True when a confirmation was answered with anything but No.
inline bool confirmed(MessageAnswer answer)
{
    return answer != MessageAnswer::No;
}

// The text as the message box shows it: each CR LF, LF CR and lone CR or LF is one line break.
QString messageDisplayText(const QString& text);

// Test seam: while a MessageRecorder lives, messages are recorded instead of shown, and each
// one is answered from the queue set with setNextAnswer (OK, or Yes for a confirmation, when
// the queue is empty). Recorders nest; the innermost one answers.
struct ShownMessage {
    MessageKind kind;
    QString text;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void setNextAnswer(MessageAnswer answer) { m_answers.append(answer); }
    // Runs while the message is "on screen": lets a test look at the state at that moment.
    void onShow(std::function<void(const ShownMessage&)> hook) { m_hook = std::move(hook); }

    const QList<ShownMessage>& messages() const { return m_messages; }
    ShownMessage last() const { return m_messages.isEmpty() ? ShownMessage{} : m_messages.last(); }
    int count() const { return int(m_messages.size()); }
    void clear() { m_messages.clear(); }

    MessageAnswer answer(const ShownMessage& message);

private:
    QList<ShownMessage> m_messages;
    QList<MessageAnswer> m_answers;
    std::function<void(const ShownMessage&)> m_hook;
    MessageRecorder* m_previous;
};
