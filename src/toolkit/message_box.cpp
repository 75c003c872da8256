#include "toolkit/message_box.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>

namespace parlumo {

MessageButton MessageBoxes::ask(QWidget* parent,
                                const QString& caption,
                                const QString& text,
                                MessageIcon icon,
                                QList<MessageButton> buttons) {
    return show(parent, MessageRequest{caption, text, icon, std::move(buttons)});
}

void MessageBoxes::inform(QWidget* parent, const QString& caption, const QString& text, MessageIcon icon) {
    show(parent, MessageRequest{caption, text, icon, {MessageButton::Ok}});
}

void MessageBoxes::showMessage(QWidget* parent, const QString& text) {
    show(parent, MessageRequest{kApplicationTitle, text, MessageIcon::None, {MessageButton::Ok}});
}

QString messageIconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QStringLiteral("information");
    case MessageIcon::Warning:
        return QStringLiteral("warning");
    case MessageIcon::Critical:
        return QStringLiteral("critical");
    case MessageIcon::Question:
        return QStringLiteral("question");
    case MessageIcon::None:
        break;
    }
    return QStringLiteral("none");
}

QString messageButtonName(MessageButton button) {
    switch (button) {
    case MessageButton::Cancel:
        return QStringLiteral("cancel");
    case MessageButton::Yes:
        return QStringLiteral("yes");
    case MessageButton::No:
        return QStringLiteral("no");
    case MessageButton::Ok:
        break;
    }
    return QStringLiteral("ok");
}

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageButton button) {
    switch (button) {
    case MessageButton::Cancel:
        return QMessageBox::Cancel;
    case MessageButton::Yes:
        return QMessageBox::Yes;
    case MessageButton::No:
        return QMessageBox::No;
    case MessageButton::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

MessageButton DialogMessageBoxes::show(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(qtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton, parent);
    for (MessageButton button : request.buttons)
        box.addButton(qtButton(button));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (MessageButton button : request.buttons)
        if (clicked && box.standardButton(clicked) == qtButton(button))
            return button;
    // Closing the box with Escape answers like its cancelling button, or its only one.
    if (request.buttons.contains(MessageButton::Cancel))
        return MessageButton::Cancel;
    if (request.buttons.contains(MessageButton::No))
        return MessageButton::No;
    return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
}

LoggingMessageBoxes::LoggingMessageBoxes(QString logPath, const QString& answers)
    : logPath_(std::move(logPath)) {
    for (const QString& word : answers.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString w = word.trimmed().toLower();
        for (MessageButton b :
             {MessageButton::Ok, MessageButton::Cancel, MessageButton::Yes, MessageButton::No})
            if (w == messageButtonName(b))
                answers_.append(b);
    }
}

MessageButton LoggingMessageBoxes::show(QWidget*, const MessageRequest& request) {
    QJsonArray buttons;
    for (MessageButton b : request.buttons)
        buttons.append(messageButtonName(b));
    const QJsonObject line{{QStringLiteral("caption"), request.caption},
                           {QStringLiteral("text"), request.text},
                           {QStringLiteral("icon"), messageIconName(request.icon)},
                           {QStringLiteral("buttons"), buttons}};
    QFile log(logPath_);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        log.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
        log.close();
    }
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
}

} // namespace parlumo
