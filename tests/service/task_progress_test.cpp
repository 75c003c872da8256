#include "service/task_progress.h"

#include "text/gbk.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

using End = ProgressReply::End;

} // namespace

void PrintTo(const ProgressRecord& r, std::ostream* os) {
    *os << '[' << QStringList{r.number, r.duration, r.cost, r.status}.join('|').toStdString() << ']';
}

namespace {

ProgressRecord record(const char* number, const char* duration, const char* cost, const char* status) {
    return ProgressRecord{QString::fromUtf8(number),
                          QString::fromUtf8(duration),
                          QString::fromUtf8(cost),
                          QString::fromUtf8(status)};
}

// "淺" ends in the byte of "\" in GBK, "東" in the byte of "|": the answer is read as text, so
// they stay whole.
const QByteArray kGbkAnswer =
    toGbk(QString::fromUtf8("T1|1|13800000001|35|0.2|淺 東\\T1|2|13800000002|0|0|無人\\"));

TEST(ProgressReply, ReadsRecordsByTheRulesOfTheProgressPages) {
    const struct {
        const char* name;
        QString answer;
        End end;
        QList<ProgressRecord> records;
    } cases[] = {
        {"empty", "", End::Ignored, {}},
        {"five characters", " 12345\r\n", End::Ignored, {}},
        {"five Chinese characters", QString::fromUtf8("没有记录啊"), End::Ignored, {}},
        {"six characters, one element", "-04 -4", End::Complete, {}},
        {"one record without its end", "T|1|13800000001|35|0.2|已接听", End::Complete, {}},
        {"one record",
         "T|1|13800000001|35|0.2|已接听\\",
         End::Complete,
         {record("13800000001", "35", "0.2", "已接听")}},
        {"two records, blanks kept",
         QString::fromUtf8("T|1|13800000001|35|0.2|无人 接听\\ T|2|13800000002| 0 |0|用户忙|extra|more\\"),
         End::Complete,
         {record("13800000001", "35", "0.2", "无人 接听"), record("13800000002", " 0 ", "0", "用户忙")}},
        {"the last record has no end",
         "T|1|13800000001|35|0.2|a\\T|2|13800000002|0|0|b",
         End::Complete,
         {record("13800000001", "35", "0.2", "a")}},
        {"empty fields", "T|1|13800000001|||\\", End::Complete, {record("13800000001", "", "", "")}},
        {"a quote and a caret",
         "T|1|13800000001|3'5|0.2|it's^ok\\",
         End::Complete,
         {record("13800000001", "3'5", "0.2", "it's ok")}},
        {"GBK text holding the delimiters' bytes",
         fromGbk(kGbkAnswer),
         End::Complete,
         {record("13800000001", "35", "0.2", "淺 東"), record("13800000002", "0", "0", "無人")}},
        {"five fields end the reading",
         "T|1|13800000001|35|0.2|a\\T|2|13800000002|0|0\\T|3|13800000003|0|0|c\\",
         End::Broken,
         {record("13800000001", "35", "0.2", "a")}},
        {"an empty element ends the reading",
         "T|1|13800000001|35|0.2|a\\\\T|3|13800000003|0|0|c\\",
         End::Broken,
         {record("13800000001", "35", "0.2", "a")}},
        {"six fields are enough", "0|1|2|3|4|5\\", End::Complete, {record("2", "3", "4", "5")}},
    };
    for (const auto& c : cases) {
        const ProgressReply read = readProgressReply(c.answer);
        EXPECT_EQ(read.end, c.end) << c.name;
        EXPECT_EQ(read.records, c.records) << c.name;
    }
    // The GBK case is only a test when the bytes are there.
    EXPECT_TRUE(kGbkAnswer.contains("\x9C\x5C"));
    EXPECT_TRUE(kGbkAnswer.contains("\x96\x7C"));
}

TEST(ProgressPageUrl, EncodesEachValueAndGivesTheLocalTime) {
    const QDateTime morning(QDate(2008, 11, 27), QTime(9, 5, 3));
    EXPECT_EQ(progressPageUrl(QStringLiteral("http://h"),
                              QStringLiteral("/voice_service/vlog.asp"),
                              QStringLiteral(" demo "),
                              QStringLiteral("a&b "),
                              QStringLiteral(" T 1 "),
                              morning),
              QStringLiteral(
                  "http://h/voice_service/vlog.asp?uid=demo&pwd=a%26b&snum=T%201&o=2008-11-27%209:05:03"));
    const QDateTime evening(QDate(2026, 1, 5), QTime(21, 45, 0));
    EXPECT_TRUE(progressPageUrl(QStringLiteral("http://h"), QStringLiteral("/p"), "u", "p", "s", evening)
                    .endsWith(QStringLiteral("&o=2026-01-05%2021:45:00")));
}

} // namespace
} // namespace parlumo
