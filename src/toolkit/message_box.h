#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace parlumo {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButton { Ok, Cancel, Yes, No };

// One message box as the user would see it.
struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    QList<MessageButton> buttons{MessageButton::Ok};
};

// The seam through which every screen shows a message box. Production shows Qt's dialog;
// tests and unattended runs record the request and answer from a script.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageButton show(QWidget* parent, const MessageRequest& request) = 0;

    MessageButton ask(QWidget* parent,
                      const QString& caption,
                      const QString& text,
                      MessageIcon icon,
                      QList<MessageButton> buttons);
    void inform(QWidget* parent,
                const QString& caption,
                const QString& text,
                MessageIcon icon = MessageIcon::Information);
    // The plain message box: no icon, an OK button, the application title as caption.
    void showMessage(QWidget* parent, const QString& text);
};

inline const QString kApplicationTitle = QStringLiteral("Parlumo");

QString messageIconName(MessageIcon icon);
QString messageButtonName(MessageButton button);

// Shows Qt's message box with the caption, icon and buttons of the request.
class DialogMessageBoxes final : public MessageBoxes {
public:
    MessageButton show(QWidget* parent, const MessageRequest& request) override;
};

// Appends each message box to a file as one JSON line and answers with the next scripted word
// (ok, cancel, yes, no), or with the first button when none is left. Lets the real binary run
// unattended (PARLUMO_MESSAGE_LOG, PARLUMO_MESSAGE_ANSWERS).
class LoggingMessageBoxes final : public MessageBoxes {
public:
    LoggingMessageBoxes(QString logPath, const QString& answers);
    MessageButton show(QWidget* parent, const MessageRequest& request) override;

private:
    QString logPath_;
    QList<MessageButton> answers_;
};

} // namespace parlumo
