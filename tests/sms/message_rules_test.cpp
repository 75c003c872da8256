#include "sms/message_rules.h"

#include "sms/send_job.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(CleanMessageText, TrimsTurnsQuotesAndDropsLineBreaks) {
    const struct {
        const char *text, *cleaned;
    } cases[] = {
        {"  hello \r\n", "hello"},
        {"line one\r\nline two", "line oneline two"},
        {"it's", "it\"s"},
        {"\t\x01x\x02", "x"},
        {"", ""},
        {"a \n b", "a  b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cleanMessageText(QString::fromUtf8(c.text)), QString::fromUtf8(c.cleaned)) << c.text;
}

TEST(BillingSize, LongTextsAreBilledInPartsOf67) {
    const struct {
        int n, length, size, parts;
    } cases[] = {
        {70, 70, 70, 1},
        {70, 71, 67, 2},
        {70, 135, 67, 3},
        {70, 0, 70, 0},
        {60, 60, 60, 1},
        {60, 61, 60, 2},
        {60, 500, 60, 9},
        {67, 68, 67, 2},
        {100, 100, 100, 1},
        {100, 101, 67, 2},
    };
    for (const auto& c : cases) {
        const int size = billingSize(c.n, c.length);
        EXPECT_EQ(size, c.size) << c.n << "/" << c.length;
        EXPECT_EQ(partsPerNumber(c.length, size), c.parts) << c.n << "/" << c.length;
    }
    EXPECT_EQ(billingCaption(60), QString::fromUtf8("个字计费，长短信按60个字计费"));
    EXPECT_TRUE(billingCaption(67).isNull());
    EXPECT_TRUE(billingCaption(70).isNull());
}

TEST(CharsPerSms, UnreadableOrZeroFiguresReadAs60) {
    for (const char* figure : {"", "0", "abc", "-5", " "})
        EXPECT_EQ(charsPerSms(figure), 60) << figure;
    EXPECT_EQ(charsPerSms("70"), 70);
    EXPECT_EQ(charsPerSms(" 67 "), 67);
}

TEST(SendJobRules, BatchCountAndRefusalLines) {
    EXPECT_EQ(batchCount(0), 0);
    EXPECT_EQ(batchCount(1), 1);
    EXPECT_EQ(batchCount(5000), 1);
    EXPECT_EQ(batchCount(5001), 2);
    EXPECT_EQ(batchCount(12001), 3);
    const struct {
        const char *reply, *line;
    } cases[] = {
        {"-01", "发送失败：余额不足以支付本次发送！错误码：-01！"},
        {"-02", "发送失败：未知用户请尝试重新登录！错误码：-02或-03！"},
        {"-03 and more", "发送失败：未知用户请尝试重新登录！错误码：-02或-03！"},
        {"-04", "发送失败：请检查号码或内容格式存在问题！错误码：-04！"},
        {"-07", "发送失败：短信内容里包含违规关键字，请检查！错误码：-07"},
        {"9", "发送失败：未知错误！请检查下号码和内容，错误码：9"},
        {"ABCDEFGHIJKLMNO", "发送失败：未知错误！请检查下号码和内容，错误码：ABCDEFGHIJ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusalLine(c.reply), QString::fromUtf8(c.line)) << c.reply;
}

} // namespace
} // namespace parlumo
