#include "text/decimal.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

Decimal d(const char* text) {
    return *Decimal::parse(QString::fromLatin1(text));
}

TEST(Decimal, ParsesTheServiceFormsAndRejectsTheRest) {
    EXPECT_EQ(d(".08"), d("0.08"));
    EXPECT_EQ(d("000000.00"), Decimal());
    EXPECT_EQ(d("12"), Decimal::fromInteger(12));
    EXPECT_EQ(d("-3.5") + d("3.5"), Decimal());
    for (const char* bad : {"", ".", "abc", "1.2.3", "1,5", "12a", "--1", "1e5"})
        EXPECT_FALSE(Decimal::parse(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Decimal, ArithmeticIsExact) {
    EXPECT_EQ(d("0.1") * 3, d("0.3"));
    EXPECT_FALSE(d("0.3") < d("0.1") * 3);
    EXPECT_EQ((d("100") - d("0.1") * 3).toString(), QStringLiteral("99.7"));
    EXPECT_EQ((d("1000") - d("0.08") * 36003).toString(), QStringLiteral("-1880.24"));
}

TEST(Decimal, PrintsTheShortestFormWithFifteenSignificantDigits) {
    const struct {
        const char* value;
        const char* text;
    } cases[] = {{"99.70", "99.7"},
                 {"0", "0"},
                 {"0.000001", "0.000001"},
                 {"123456789012345678", "123456789012346000"},
                 {"1234.56789012345678", "1234.56789012346"},
                 {"-0.5", "-0.5"},
                 {"000123.4500", "123.45"}};
    for (const auto& c : cases)
        EXPECT_EQ(d(c.value).toString(), QString::fromLatin1(c.text)) << c.value;
}

} // namespace
} // namespace parlumo
