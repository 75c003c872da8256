#include "sms/reply_box.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

QList<QStringList> fieldsOf(const ReplyBoxAnswer& answer) {
    QList<QStringList> records;
    for (const ReceivedReply& r : answer.replies)
        records.append({r.number, r.text, r.port, r.time});
    return records;
}

TEST(HoldsReplies, OnlyAnAnswerWithABarAfterItsFirstCharacter) {
    const struct {
        const char* answer;
        bool holds;
    } cases[] = {{"", false},
                 {"-01", false},
                 {"000", false},
                 {"|", false},
                 {"|1|a|p|t", false},
                 {"1|", true},
                 {"13800000001|a|p|t<br>", true}};
    for (const auto& c : cases)
        EXPECT_EQ(holdsReplies(QString::fromUtf8(c.answer)), c.holds) << c.answer;
}

TEST(ReadReplyBox, SplitsRecordsAtBrOnlyAndKeepsBlanksAndSlashes) {
    const ReplyBoxAnswer read =
        readReplyBox(QString::fromUtf8("13800000001|好的/明天 见|10690888|2026-01-05 08:03:04<br>"
                                       "13800000002|a^b|106|2026-01-05 08:03:05<br>"));
    EXPECT_EQ(fieldsOf(read),
              (QList<QStringList>{{"13800000001", "好的/明天 见", "10690888", "2026-01-05 08:03:04"},
                                  {"13800000002", "a b", "106", "2026-01-05 08:03:05"}}));
    // The empty record after the last "<br>" ends the reading, as any unreadable record does.
    EXPECT_TRUE(read.endedEarly);
}

TEST(ReadReplyBox, StopsAtTheFirstRecordWithoutFourFields) {
    const struct {
        const char* answer;
        int replies;
        bool endedEarly;
    } cases[] = {{"1|a|p|t<br>2|b|p<br>3|c|p|t<br>", 1, true},
                 {"1|a|p|t<br><br>3|c|p|t", 1, true},
                 {"1|a|p|t<br>2|b|p|t", 2, false},
                 {"1|a|p|t|extra<br>2|b|p|t", 2, false},
                 {"1|a|p", 0, true}};
    for (const auto& c : cases) {
        const ReplyBoxAnswer read = readReplyBox(QString::fromUtf8(c.answer));
        EXPECT_EQ(read.replies.size(), c.replies) << c.answer;
        EXPECT_EQ(read.endedEarly, c.endedEarly) << c.answer;
    }
}

TEST(ReadReplyBox, LineBreaksSeparateAndQuotedFieldsRunToTheirQuote) {
    EXPECT_EQ(fieldsOf(readReplyBox("1|a|p|t\r\n2|b|p|t")),
              (QList<QStringList>{{"1", "a", "p", "t"}, {"2", "b", "p", "t"}}));
    EXPECT_EQ(fieldsOf(readReplyBox("1|\"x|y\"|p|t")), (QList<QStringList>{{"1", "x|y", "p", "t"}}));
}

TEST(NormalisedReplyTime, ReadableTimesTakeTheDatabaseFormOthersStayAsTheyCame) {
    const struct {
        const char* time;
        const char* stored;
    } cases[] = {{"2026-01-05 08:03:04", "2026-01-05 08:03:04"},
                 {"2026-1-5 8:03:04", "2026-01-05 08:03:04"},
                 {"2026/1/5 8:03:04", "2026-01-05 08:03:04"},
                 {"2026/12/25 23:59:59", "2026-12-25 23:59:59"},
                 {"2026-01-05T08:03:04", "2026-01-05 08:03:04"},
                 {"2026-01-05 08:03:04.250", "2026-01-05 08:03:04"},
                 {"2026-01-05 08:03", "2026-01-05 08:03:00"},
                 {"20260105080304", "2026-01-05 08:03:04"},
                 {"2026-01-05", "2026-01-05 00:00:00"},
                 {" 2026-01-05 08:03:04 ", "2026-01-05 08:03:04"},
                 {"昨天 下午", "昨天 下午"},
                 {"2026-02-30 10:00:00", "2026-02-30 10:00:00"},
                 {"2026-01-05 25:00:00", "2026-01-05 25:00:00"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(normalisedReplyTime(QString::fromUtf8(c.time)), QString::fromUtf8(c.stored)) << c.time;
}

} // namespace
} // namespace parlumo
