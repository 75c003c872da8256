#include "text/url_encode.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(UrlEncode, EncodesEveryByteButLettersDigitsAndThreeMarks) {
    const struct {
        QString text;
        QString encoded;
    } cases[] = {
        {"a b", "a%20b"},
        {"1+1", "1%2B1"},
        {"AZaz09-._", "AZaz09-._"},
        {"~", "%7E"},
        {"a&b=c#d%e?f", "a%26b%3Dc%23d%25e%3Ff"},
        {"\r\n'\"", "%0D%0A%27%22"},
        {"", ""},
        {QString::fromUtf8("中文"), "%D6%D0%CE%C4"},
        // The last ASCII character as a byte of its own; the first Latin letters past ASCII in GBK.
        {QString(QChar(0x7F)), "%7F"},
        {QString::fromUtf8("13800000001é"), "13800000001%A8%A6"},
        {QString::fromUtf8("短信 a"), "%B6%CC%D0%C5%20a"},
        // A character that GBK cannot hold travels as "?".
        {QString::fromUtf8("😀"), "%3F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlEncode(c.text), c.encoded) << c.text.toStdString();
}

} // namespace
} // namespace parlumo
