#include "voice/direct_call_rules.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(DirectCallRulesTest, TheRequestCarriesTheTrimmedValuesDigitsUnchanged) {
    EXPECT_EQ(superphoneUrl(QStringLiteral("http://h"),
                            QStringLiteral(" demo "),
                            QStringLiteral("pw"),
                            QStringLiteral(" 008613800000000 "),
                            QStringLiteral("00861062345678")),
              QStringLiteral("http://h/voice_service/superphone.asp?id=demo&pwd=pw&from_no=008613800000000"
                             "&to_no=00861062345678"));
    // Characters that would change the query travel encoded.
    EXPECT_EQ(superphoneUrl(QStringLiteral("http://h"),
                            QStringLiteral("demo"),
                            QStringLiteral("a&b"),
                            QStringLiteral("0086 10#1"),
                            QStringLiteral("*1")),
              QStringLiteral("http://h/voice_service/superphone.asp?id=demo&pwd=a%26b&from_no=0086%2010%231"
                             "&to_no=*1"));
}

TEST(DirectCallRulesTest, BothNumbersNeedTenCharactersBlanksAtTheEndsNotCounted) {
    const struct {
        const char* from;
        const char* to;
        bool tooShort;
    } cases[] = {{"0086", "0086123456", true},
                 {"008612345", "0086123456", true},
                 {"0086123456", "008612345", true},
                 {"0086123456", "0086123456", false},
                 {" 008612345 ", "0086123456", true},
                 {"00861234567", " 0086123456 ", false}};
    for (const auto& c : cases)
        EXPECT_EQ(callNumbersTooShort(QString::fromLatin1(c.from), QString::fromLatin1(c.to)), c.tooShort)
            << c.from << " / " << c.to;
}

TEST(DirectCallRulesTest, CallsNeedABalanceOfTenYuan) {
    const struct {
        const char* balance;
        bool tooLow;
    } cases[] = {{"9.99", true}, {"10", false}, {"10.00", false}, {"10.01", false}, {"-20", true}, {"", true},
                 {"abc", true}};
    for (const auto& c : cases)
        EXPECT_EQ(balanceTooLowForCalls(QString::fromLatin1(c.balance)), c.tooLow) << c.balance;
}

// A task number has at least 4 letters and digits; anything else, a page that is no answer of
// the service included, is a failed call whose code is shown, a long one cut.
TEST(DirectCallRulesTest, OnlyATaskNumberIsAnAcceptedCall) {
    const struct {
        QString reply;
        bool accepted;
        QString message;
    } cases[] = {
        {"", false, "呼叫失败！错误码："},
        {"-01", false, "呼叫失败！错误码：-01"},
        {"523", false, "呼叫失败！错误码：523"},
        {"5201", true, {}},
        {"52017", true, {}},
        {"C2026121100042", true, {}},
        {"-100", false, "呼叫失败！错误码：-100"},
        {"<html>Bad Gateway</html>", false, "呼叫失败！错误码：<html>Bad Gateway</html>"},
        {QString(201, '-'), false, "呼叫失败！错误码：" + QString(200, '-') + "…"},
        {"5201 7", false, "呼叫失败！错误码：5201 7"},
        {"５２０１", false, "呼叫失败！错误码：５２０１"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isCallNumber(c.reply), c.accepted) << c.reply.toStdString();
        if (!c.accepted)
            EXPECT_EQ(callFailedMessage(c.reply), c.message);
    }
}

} // namespace
} // namespace parlumo
