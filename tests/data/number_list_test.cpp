#include "data/number_list.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(CountNumbers, FollowsEachScreensRule) {
    const struct {
        const char* text;
        CountRule rule;
        int expected;
    } cases[] = {
        {"", CountRule::Items, 0},
        {"13800000001\n\n13800000002", CountRule::Items, 2}, // a blank line counts nothing
        {"13800000001,,13800000002", CountRule::Items, 3},   // a double comma adds an empty item
        {"13800000001,13800000002,", CountRule::Items, 3},   // so does a trailing comma
        {"\"138 000,01\",139", CountRule::Items, 2},         // a quoted text is one item
        {"138 001", CountRule::Items, 1},                    // blanks are removed before splitting
        {"   \n  \n", CountRule::Items, 0},
        {"138;139", CountRule::Items, 1}, // only "," separates here
        {"", CountRule::Lines, 0},
        {"a\nb\n", CountRule::Lines, 2},
        {"a\n\nb", CountRule::Lines, 3},
        {"\n", CountRule::Lines, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(countNumbers(QString::fromUtf8(c.text), c.rule), c.expected) << c.text;
}

TEST(JoinMemo, SendersAndExportsDiffer) {
    const QString memo = QStringLiteral("  138 001\r\n139;140\r\n");
    EXPECT_EQ(joinMemo(memo, kVoiceSenderJoin), QStringLiteral("138001,139;140,"));
    EXPECT_EQ(joinMemo(memo, kTrimmedSenderJoin), QStringLiteral("138001,139;140"));
    EXPECT_EQ(joinMemo(memo, kExportJoin), QStringLiteral("138001,139,140,"));
    EXPECT_EQ(splitNumberList(joinMemo(QStringLiteral("13800000001;13800000002"), kExportJoin)),
              (QStringList{"13800000001", "13800000002"}));
}

TEST(RemoveDuplicateLines, SortsByTextAndKeepsOneOfEach) {
    const struct {
        QString text;
        QString kept;
    } cases[] = {
        {"139\n138\n139\n\n138", "\n138\n139"},
        {"13900000000\r\n13800000000\r13900000000\n", "13800000000\n13900000000"},
        // By text, not by value; letters without regard to case, yet only equal texts collapse.
        {"9\n10\nb\nA\na", "10\n9\nA\na\nb"},
        {"\n\n\n", ""},
        {"\n", ""},
        {"", ""},
        // Letters with another case past ASCII and past the 16-bit range keep their first order
        // among lines equal but for case.
        {"é\nE\nÉ\ne\né", "E\ne\né\nÉ\né"},
        {"\U00010428\n\U00010400", "\U00010428\n\U00010400"},
        // "Z" has another case ("[" and "@" have none): it sorts as "z", after "[".
        {"139\n13800000000\n139\n@\nZ\n[", "13800000000\n139\n@\n[\nZ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(removeDuplicateLines(c.text), c.kept) << c.text.toStdString();
}

TEST(DeleteLine, RemovesOnlyThatLine) {
    EXPECT_EQ(deleteLine("a\nb\nc", 1), QStringLiteral("a\nc"));
    EXPECT_EQ(deleteLine("a\nb\nc", 0), QStringLiteral("b\nc"));
    EXPECT_EQ(deleteLine("a", 0), QString());
    EXPECT_EQ(deleteLine("a\nb", 5), QStringLiteral("a\nb"));
}

TEST(EntryAccepted, ChecksLengthAndFirstDigit) {
    const struct {
        const char* entry;
        EntryRule rule;
        bool accepted;
    } cases[] = {
        {"123456789", EntryRule::MobileOrAreaCode, false},  // 9 digits
        {"2345678901", EntryRule::MobileOrAreaCode, false}, // starts with 2
        {"13800138000", EntryRule::MobileOrAreaCode, true},
        {"0101234567", EntryRule::MobileOrAreaCode, true},
        {"13800138000", EntryRule::AreaCode, false},
        {"0101234567", EntryRule::AreaCode, true},
        {"", EntryRule::AreaCode, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entryAccepted(c.entry, c.rule), c.accepted) << c.entry;
}

} // namespace
} // namespace parlumo
