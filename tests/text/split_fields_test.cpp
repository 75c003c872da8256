#include "text/split_fields.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

struct SplitCase {
    const char* name;
    QString text;
    char delimiter;
    QStringList expected;
};

const SplitCase kSplitCases[] = {
    {"login_record", "000|u|12.5|.1", '|', {"000", "u", "12.5", ".1"}},
    {"blanks_around_delimiter_vanish", " 000 | x", '|', {"000", "x"}},
    {"blank_splits_a_field", "000|a b", '|', {"000", "a", "b"}},
    {"empty_between_delimiters", "a||b", '|', {"a", "", "b"}},
    {"delimiter_at_end_adds_empty", "a|b|", '|', {"a", "b", ""}},
    {"empty_text", "", '|', {}},
    {"blanks_and_breaks_only", " \r\n\t\r\n ", ',', {}},
    {"leading_delimiter", ",a", ',', {"", "a"}},
    {"numbers_with_empties", "138,,139,", ',', {"138", "", "139", ""}},
    {"line_breaks_separate", "138,\r\n\r\n139", ',', {"138", "139"}},
    {"line_breaks_alone_separate", "138\r\n\r\n139", ',', {"138", "139"}},
    {"blank_inside_number", "138 001", ',', {"138", "001"}},
    {"trailing_delimiter_then_blanks", "a, ", ',', {"a"}},
    {"quoted_keeps_blanks_and_delimiters", "\"a b|c\"|d", '|', {"a b|c", "d"}},
    {"doubled_quote_stands_for_one", "\"say \"\"hi\"\"\",x", ',', {"say \"hi\"", "x"}},
    {"empty_quoted", "\"\",x", ',', {"", "x"}},
    {"text_after_closing_quote_is_a_field", "\"ab\"cd,e", ',', {"ab", "cd", "e"}},
    {"unclosed_quote_runs_to_end", "a,\"b,c d", ',', {"a", "b,c d"}},
    {"nul_ends_the_text", QString::fromUtf16(u"a|b\0|c", 6), '|', {"a", "b"}},
    {"chinese_never_split",
     QString::fromUtf8("中文|短信\\测试"),
     '\\',
     {QString::fromUtf8("中文|短信"), QString::fromUtf8("测试")}},
    {"non_ascii_is_ordinary",
     QString::fromUtf8("号码，一|二"),
     '|',
     {QString::fromUtf8("号码，一"), QString::fromUtf8("二")}},
    {"record_list_backslash", "a|1\\b|2\\", '\\', {"a|1", "b|2", ""}},
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, SplitsAsTheRuleSays) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitFields(c.text, QLatin1Char(c.delimiter)), c.expected);
}

// Counting walks the rule without building the fields: it must find as many as SplitFields.
TEST_P(SplitFieldsTest, CountsAsManyFieldsAsItSplits) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(countFields(c.text, QLatin1Char(c.delimiter), QChar(0xFFFF)), c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitFieldsTest, ::testing::ValuesIn(kSplitCases), [](const auto& info) {
    return std::string(info.param.name);
});

TEST(CountFields, CountsAsIfTheIgnoredCharacterWereTakenOutFirst) {
    const QString texts[] = {
        "138 001,139",       // the blank no longer splits the number
        "a, ",               // the comma becomes the last character: an empty field follows
        "a , ,b",            // commas brought together
        "\"a\" \"b\",c",     // quotes brought together stand for one
        "\"a b\" c",         // inside and after a quoted field
        " \t 138 \r\n 139 ", // other blanks still separate
        "   ",
        "",
    };
    for (const QString& text : texts) {
        QString compact = text;
        compact.remove(QLatin1Char(' '));
        EXPECT_EQ(countFields(text, QLatin1Char(','), QLatin1Char(' ')),
                  SplitFields(compact, QLatin1Char(',')).size())
            << text.toStdString();
    }
}

TEST(SpacePlaceholder, ProtectsBlanksInsideFieldsAndRestoresThem) {
    const QStringList fields = SplitFields(protectSpaces(QStringLiteral("000|a b|c  d")), QLatin1Char('|'));
    ASSERT_EQ(fields, (QStringList{"000", "a^b", "c^^d"}));
    EXPECT_EQ(restoreSpaces(fields[1]), QStringLiteral("a b"));
    EXPECT_EQ(restoreSpaces(fields[2]), QStringLiteral("c  d"));
}

TEST(FieldAt, RaisesWhenThePositionDoesNotExist) {
    const QStringList fields{"000", "x"};
    EXPECT_EQ(fieldAt(fields, 1), QStringLiteral("x"));
    EXPECT_THROW(fieldAt(fields, 2), FieldError);
    EXPECT_THROW(fieldAt(fields, -1), FieldError);
    EXPECT_THROW(fieldAt(QStringList(), 0), FieldError);
}

} // namespace
} // namespace parlumo
