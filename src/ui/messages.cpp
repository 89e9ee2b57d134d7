#include "ui/messages.h"

#include "ui/window.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {
MessageRecorder*& activeRecorder()
{
    static MessageRecorder* recorder = nullptr;
    return recorder;
}
} // namespace

MessageRecorder::MessageRecorder() : m_previous(activeRecorder())
{
    activeRecorder() = this;
}

MessageRecorder::~MessageRecorder()
{
    activeRecorder() = m_previous;
}

MessageAnswer MessageRecorder::answer(const ShownMessage& message)
{
    m_messages.append(message);
    if (m_hook)
        m_hook(message);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return message.kind == MessageKind::Confirmation ? MessageAnswer::Yes : MessageAnswer::Ok;
}

QString messageDisplayText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            // A CR LF or LF CR pair is one break; LF CR LF CR is therefore two.
            if (i + 1 < text.size()) {
                const QChar next = text.at(i + 1);
                if ((next == QLatin1Char('\r') || next == QLatin1Char('\n')) && next != c)
                    ++i;
            }
            out += QLatin1Char('\n');
        } else {
            out += c;
        }
    }
    return out;
}

MessageAnswer showMessage(QWidget* parent, MessageKind kind, const QString& text)
{
    if (MessageRecorder* recorder = activeRecorder())
        return recorder->answer({kind, text});

    QMessageBox box(parent);
    setFixedFrame(&box);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QStringLiteral("Vestrano"));
    box.setText(messageDisplayText(text));
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // Our own texts, whatever language Qt's standard buttons are in.
    const struct {
        QMessageBox::StandardButton button;
        const char* text;
    } texts[] = {{QMessageBox::Ok, "OK"},
                 {QMessageBox::Cancel, "Annulla"},
                 {QMessageBox::Yes, "S\u00ec"},
                 {QMessageBox::No, "No"}};
    for (const auto& t : texts) {
        if (QAbstractButton* button = box.button(t.button))
            button->setText(QString::fromUtf8(t.text));
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}
