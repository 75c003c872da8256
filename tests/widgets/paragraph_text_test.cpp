#include "widgets/paragraph_text.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

class ParagraphTextTest : public ::testing::Test {
protected:
    ParagraphTextTest() {
        keepOneParagraph(memo, count);
        screen.show();
        memo->setFocus();
    }
    QWidget screen;
    QPlainTextEdit* memo = new QPlainTextEdit(&screen);
    QLineEdit* count = new QLineEdit(&screen);
};

TEST_F(ParagraphTextTest, EnterJoinsTheLinesAndDoesNotRaiseTheCount) {
    // Key clicks carry ASCII only: the Chinese text comes in as an input method would put it.
    memo->insertPlainText(QStringLiteral("你好"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("ab"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("你好ab"));
    EXPECT_EQ(count->text(), QStringLiteral("4"));
    EXPECT_EQ(memo->textCursor().position(), 4);
}

TEST_F(ParagraphTextTest, PastedOrSetTextLosesEveryLineBreakAndIsCountedInUtf16Units) {
    const struct {
        QString text;
        QString kept;
        QString count;
    } cases[] = {
        {QStringLiteral("a\r\nb\nc\r"), QStringLiteral("abc"), QStringLiteral("3")},
        {QStringLiteral("\n\n"), QString(), QStringLiteral("0")},
        {QStringLiteral("  x y  "), QStringLiteral("  x y  "), QStringLiteral("7")},
        {QStringLiteral("短信\n😀"), QStringLiteral("短信😀"), QStringLiteral("4")},
    };
    for (const auto& c : cases) {
        memo->setPlainText(c.text);
        EXPECT_EQ(memo->toPlainText(), c.kept);
        EXPECT_EQ(count->text(), c.count);
    }
    memo->clear();
    QApplication::clipboard()->setText(QStringLiteral("一\r\n二"));
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("一二"));
    EXPECT_EQ(count->text(), QStringLiteral("2"));
}

} // namespace
} // namespace parlumo
