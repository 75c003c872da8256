#include "toolkit/typed_length_limit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

class TypedLengthLimitTest : public ::testing::Test {
protected:
    TypedLengthLimitTest() {
        new TypedLengthLimit(&box, 5);
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
    }
    QLineEdit box;
};

TEST_F(TypedLengthLimitTest, TypingStopsAtTheLimitAndAReplacedSelectionMakesRoom) {
    QTest::keyClicks(&box, "abcd");
    EXPECT_EQ(box.text(), QStringLiteral("abcd"));
    QTest::keyClicks(&box, "ef");
    EXPECT_EQ(box.text(), QStringLiteral("abcde"));
    box.setSelection(1, 2);
    QTest::keyClicks(&box, "XY");
    EXPECT_EQ(box.text(), QStringLiteral("aXYde"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, "Z");
    EXPECT_EQ(box.text(), QStringLiteral("aXZde"));
}

TEST_F(TypedLengthLimitTest, APasteMustFitAndTheProgramsLongerTextStaysShortenable) {
    QTest::keyClicks(&box, "abc");
    QApplication::clipboard()->setText(QStringLiteral("123"));
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
    QApplication::clipboard()->setText(QStringLiteral("12"));
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), QStringLiteral("abc12"));

    box.setText(QStringLiteral("/home/user/a long path.pdf"));
    box.end(false);
    QTest::keyClicks(&box, "x");
    EXPECT_EQ(box.text(), QStringLiteral("/home/user/a long path.pdf"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("/home/user/a long path.pd"));
    box.selectAll();
    QTest::keyClicks(&box, "q");
    EXPECT_EQ(box.text(), QStringLiteral("q"));
}

} // namespace
} // namespace parlumo
