#include "service/replies.h"

#include "text/split_fields.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(SplitRecord, KeepsBlanksInsideFieldsAsPlaceholders) {
    const QStringList fields =
        splitRecord("000|x|123.45|.08|70|.15|.2|http://h/Service.asmx|.25|true", QLatin1Char('|'));
    ASSERT_EQ(fields.size(), 10);
    EXPECT_EQ(fields[7], QStringLiteral("http://h/Service.asmx"));
    EXPECT_EQ(splitRecord("000/a b/5", QLatin1Char('/')), (QStringList{"000", "a^b", "5"}));
    EXPECT_EQ(splitRecord("000\r\n", QLatin1Char('|')), QStringList{"000"});
}

TEST(SplitRecordList, SplitsRecordsThenFieldsAndRestoresBlanks) {
    const QList<QStringList> records = splitRecordList(
        QString::fromUtf8("13800000001|35|0.2|已 接通\\13800000002|0|0|无人接听\\"), QLatin1Char('\\'));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0], (QStringList{"13800000001", "35", "0.2", QString::fromUtf8("已 接通")}));
    EXPECT_EQ(records[1], (QStringList{"13800000002", "0", "0", QString::fromUtf8("无人接听")}));
    EXPECT_TRUE(records[2].isEmpty());
    EXPECT_THROW(fieldAt(records[2], 0), FieldError);
    EXPECT_TRUE(splitRecordList(QString(), QLatin1Char('\\')).isEmpty());
}

TEST(SplitRecordList, ASeparatorOfSeveralCharactersEndsRecordsAndNothingElseDoes) {
    const QString privateUse(QChar(0xE000));
    const QList<QStringList> records =
        splitRecordList(QStringLiteral("1|a/b|p|t<br>2|c<b|p|t") + privateUse + QStringLiteral("<br>"),
                        QStringLiteral("<br>"));
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0], (QStringList{"1", "a/b", "p", "t"}));
    EXPECT_EQ(records[1], (QStringList{"2", "c<b", "p", QStringLiteral("t") + privateUse}));
    EXPECT_TRUE(records[2].isEmpty());
}

TEST(IsResultCode, ShortRepliesAreCodesLongerOnesTaskNumbers) {
    for (const char* code : {"", "000", "-01", "-9", " -04 \r\n"})
        EXPECT_TRUE(isResultCode(code)) << code;
    for (const char* task : {"1234", "M20261210001", " 12345 "})
        EXPECT_FALSE(isResultCode(task)) << task;
}

} // namespace
} // namespace parlumo
