#include "voice/voice_task_rules.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(VoiceTaskRulesTest, TheNumberStringKeepsAFinalCommaFromAFinalLineBreak) {
    const struct {
        const char* memo;
        const char* vto;
    } cases[] = {{"A\nB\n", "A,B,"},
                 {"A\nB", "A,B"},
                 {"138 0000 0000\r\n020 1234\r\n", "13800000000,0201234,"},
                 {"1\n\n2", "1,,2"},
                 {"\t1\n2\t", "1,2"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(voiceNumberString(QString::fromUtf8(c.memo)), QString::fromUtf8(c.vto)) << c.memo;
}

TEST(VoiceTaskRulesTest, ASpokenTextNeedsFiveBytesInGbk) {
    const struct {
        const char* text;
        bool tooShort;
    } cases[] = {{"1234", true},
                 {"12345", false},
                 {"123456", false},
                 {"测试", true},
                 {"测试1", false},
                 {"测试测", false},
                 {"  12", true},
                 {"", true}};
    for (const auto& c : cases)
        EXPECT_EQ(spokenTextTooShort(QString::fromUtf8(c.text)), c.tooShort) << c.text;
}

TEST(VoiceTaskRulesTest, RepliesUnderFourCharactersAreRefusalsWithTheirCodeAsReceived) {
    const struct {
        const char* reply;
        const char* caption;
        const char* text;
    } cases[] = {
        {"-03", "发送提示", "任务发送失败！账号或密码错误！请重新登录！错误码：-03"},
        {"-01", "登录提示", "任务发送失败！您的余额不足以支持本次操作！错误码：-01"},
        {"-09", "登录提示", "任务发送失败！系统维护中.请销侯再试。错误码：-09"},
        {"-02", "登录提示", "任务发送失败！错误码：-02"},
        {"-04", "登录提示", "任务发送失败！错误码：-04"},
        {"000", "登录提示", "任务发送失败！错误码：000"},
        {"", "登录提示", "任务发送失败！错误码："},
        {" -03 ", "登录提示", "任务发送失败！错误码： -03 "},
    };
    for (const auto& c : cases) {
        const std::optional<VoiceMessage> refusal = voiceRefusal(QString::fromUtf8(c.reply));
        ASSERT_TRUE(refusal.has_value()) << c.reply;
        EXPECT_EQ(refusal->caption, QString::fromUtf8(c.caption)) << c.reply;
        EXPECT_EQ(refusal->text, QString::fromUtf8(c.text)) << c.reply;
    }
    for (const char* taskNumber : {"1234", "V20261211000001", " 1234 "})
        EXPECT_FALSE(voiceRefusal(QString::fromLatin1(taskNumber)).has_value()) << taskNumber;
}

TEST(VoiceTaskRulesTest, TheBalanceDropsByTheCountTimesThePriceExactly) {
    const struct {
        const char* balance;
        const char* price;
        long long count;
        const char* after;
    } cases[] = {{"100", "0.2", 3, "99.4"},
                 {"0.3", "0.1", 3, "0"},
                 {"0.5", "0.2", 3, "-0.1"},
                 {"000100.00", ".15", 2, "99.7"},
                 {"oops", "0.2", 3, "oops"},
                 {"10", "", 3, "10"}};
    for (const auto& c : cases)
        EXPECT_EQ(balanceAfter(QString::fromLatin1(c.balance), QString::fromLatin1(c.price), c.count),
                  QString::fromLatin1(c.after))
            << c.balance << " - " << c.count << " x " << c.price;
}

} // namespace
} // namespace parlumo
