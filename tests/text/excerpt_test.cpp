#include "text/excerpt.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

const char* const kWide = "\xF0\xA0\x80\x80"; // one character, two UTF-16 units

QString repeated(const char* piece, qsizetype times) {
    return QString::fromUtf8(piece).repeated(times);
}

TEST(Excerpt, KeepsTextsUpToTheLimitAndCutsLongerOnesWhole) {
    const struct {
        const char* name;
        QString text;
        QString shown;
    } cases[] = {
        {"empty", "", ""},
        {"one below", repeated("a", kExcerptChars - 1), repeated("a", kExcerptChars - 1)},
        {"at the limit", repeated("a", kExcerptChars), repeated("a", kExcerptChars)},
        {"one above", repeated("a", kExcerptChars + 1), repeated("a", kExcerptChars) + "…"},
        {"a megabyte", repeated("a", 1'000'000), repeated("a", kExcerptChars) + "…"},
        {"chinese above", repeated("错", kExcerptChars + 1), repeated("错", kExcerptChars) + "…"},
        {"wide characters at the limit", repeated(kWide, kExcerptChars), repeated(kWide, kExcerptChars)},
        {"wide characters above", repeated(kWide, kExcerptChars + 1), repeated(kWide, kExcerptChars) + "…"},
        // The cut falls inside the last wide character kept, counted in units.
        {"wide character across the cut",
         repeated("a", kExcerptChars - 1) + repeated(kWide, 2),
         repeated("a", kExcerptChars - 1) + repeated(kWide, 1) + "…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(excerpt(c.text), c.shown) << c.name;
}

} // namespace
} // namespace parlumo
