#include "widgets/number_memo.h"

#include "tests/support/program_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

namespace parlumo {
namespace {

class NumberMemoTest : public test::ProgramFolderTest {
protected:
    NumberMemo& make(NumberMemoConfig config) {
        memo_ = std::make_unique<NumberMemo>(&screen, mob, hm, inmob, config, messages, dialogs);
        return *memo_;
    }
    QWidget screen;
    QPlainTextEdit* mob = new QPlainTextEdit(&screen);
    QLineEdit* hm = new QLineEdit(&screen);
    QLineEdit* inmob = new QLineEdit(&screen);
    test::RecordingMessageBoxes messages;
    test::RecordingFileDialogs dialogs;
    std::unique_ptr<NumberMemo> memo_;
};

TEST_F(NumberMemoTest, EntryBoxAcceptsValidNumbersAndRefusesTheRest) {
    NumberMemoConfig config;
    config.count = CountRule::Items;
    config.entry = EntryRule::MobileOrAreaCode;
    make(config);
    screen.show();
    QTest::keyClicks(inmob, "13a8-00 138000");
    EXPECT_EQ(inmob->text(), QStringLiteral("13800138000")); // only digits reach the box
    QTest::keyClick(inmob, Qt::Key_Return);
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("13800138000"));
    EXPECT_TRUE(inmob->text().isEmpty());
    EXPECT_EQ(hm->text(), QStringLiteral("1"));

    QTest::keyClicks(inmob, "2345678901");
    QTest::keyClick(inmob, Qt::Key_Enter);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("号码格式有误！"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Parlumo"));
    EXPECT_EQ(inmob->text(), QStringLiteral("2345678901"));
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("13800138000"));
}

TEST_F(NumberMemoTest, MemoOfDigitsOnlySwallowsOtherCharacters) {
    NumberMemoConfig config;
    config.memoExtraKeys = QStringLiteral(",");
    make(config);
    screen.show();
    mob->setFocus();
    QTest::keyClicks(mob, "13x8,9 ;");
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("138,9"));
}

TEST_F(NumberMemoTest, DuplicatesRemovedAndCountedOnce) {
    NumberMemoConfig config;
    config.count = CountRule::Items;
    make(config);
    mob->setPlainText("13900000000\n13800000000\n13900000000");
    int recounts = 0;
    QObject::connect(mob, &QPlainTextEdit::textChanged, [&recounts] { ++recounts; });
    memo_->removeDuplicates();
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("13800000000\n13900000000"));
    EXPECT_EQ(hm->text(), QStringLiteral("2"));
    EXPECT_EQ(recounts, 0);
}

TEST_F(NumberMemoTest, DeletesTheCaretLineAndClears) {
    make(NumberMemoConfig{});
    mob->setPlainText("a\nb\nc");
    QTextCursor cursor(mob->document()->findBlockByNumber(1));
    mob->setTextCursor(cursor);
    memo_->deleteCaretLine();
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("a\nc"));
    EXPECT_EQ(hm->text(), QStringLiteral("2"));
    memo_->clear();
    EXPECT_TRUE(mob->toPlainText().isEmpty());
    EXPECT_EQ(hm->text(), QStringLiteral("0"));
}

TEST_F(NumberMemoTest, TextFileReplacesTheLinesOrReportsWhyNot) {
    NumberMemoConfig config;
    config.fileFilter = QStringLiteral("txt|*.txt");
    make(config);
    mob->setPlainText("old");
    writeBytes("n.txt", "13800000001\r\n13800000002\r\n");
    dialogs.answers = {file("n.txt"), QString(), file("absent.txt")};
    memo_->loadTextFile();
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("13800000001\n13800000002"));
    EXPECT_EQ(hm->text(), QStringLiteral("2"));
    EXPECT_EQ(dialogs.requests[0].filter, QStringLiteral("txt|*.txt"));
    memo_->loadTextFile(); // cancelled
    memo_->loadTextFile(); // unreadable
    EXPECT_EQ(mob->toPlainText(), QStringLiteral("13800000001\n13800000002"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
}

} // namespace
} // namespace parlumo
