#include "toolkit/message_box.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(LoggingMessageBoxes, LogsEachBoxAsAJsonLineAndAnswersFromTheScript) {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("messages.jsonl"));
    LoggingMessageBoxes boxes(log, QStringLiteral("cancel, YES,bogus"));

    EXPECT_EQ(boxes.ask(nullptr,
                        QStringLiteral("确认"),
                        QStringLiteral("真的要退出吗？"),
                        MessageIcon::Question,
                        {MessageButton::Ok, MessageButton::Cancel}),
              MessageButton::Cancel);
    EXPECT_EQ(boxes.ask(nullptr,
                        QStringLiteral("c"),
                        QStringLiteral("t"),
                        MessageIcon::Warning,
                        {MessageButton::Yes, MessageButton::No}),
              MessageButton::Yes);
    // The script is used up: the first button answers.
    EXPECT_EQ(boxes.ask(nullptr,
                        QStringLiteral("c"),
                        QStringLiteral("t"),
                        MessageIcon::None,
                        {MessageButton::No, MessageButton::Yes}),
              MessageButton::No);
    boxes.showMessage(nullptr, QStringLiteral("号码格式有误！"));

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines.last().isEmpty());
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first.value("caption").toString(), QStringLiteral("确认"));
    EXPECT_EQ(first.value("text").toString(), QStringLiteral("真的要退出吗？"));
    EXPECT_EQ(first.value("icon").toString(), QStringLiteral("question"));
    EXPECT_EQ(QJsonDocument::fromJson(lines[0]).object().value("buttons").toVariant().toStringList(),
              (QStringList{"ok", "cancel"}));
    const QJsonObject plain = QJsonDocument::fromJson(lines[3]).object();
    EXPECT_EQ(plain.value("caption").toString(), QStringLiteral("Parlumo"));
    EXPECT_EQ(plain.value("icon").toString(), QStringLiteral("none"));
}

} // namespace
} // namespace parlumo
