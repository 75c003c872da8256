#include "service/query.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(EncodeQueryValue, EncodesOnlyWhatWouldChangeTheQuery) {
    const struct {
        QString value;
        QString encoded;
    } cases[] = {
        {"abcXYZ019-._~", "abcXYZ019-._~"},
        {"p&w=d", "p%26w%3Dd"},
        {"a b", "a%20b"},
        {"#+%?", "%23%2B%25%3F"},
        {"ab ", "ab%20"}, // registration's trailing blank survives the trip
        {"\t\r\n", "%09%0D%0A"},
        {"/:@|^'*!", "/:@|^'*!"},
        {QString::fromUtf8("中文"), "%D6%D0%CE%C4"},
        {QString::fromUtf8("a€"), "a%80"}, // GBK's euro sign
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encodeQueryValue(c.value), c.encoded) << c.value.toStdString();
}

TEST(QueryUrl, JoinsKeysInOrderAndEncodesValuesOnly) {
    const QString url = QueryUrl("http://127.0.0.1:9", "/webservice/public/softlogin.asp")
                            .add("uid", "demo")
                            .add("pwd", "a&b=c d")
                            .add("proid", "1");
    EXPECT_EQ(url,
              QStringLiteral(
                  "http://127.0.0.1:9/webservice/public/softlogin.asp?uid=demo&pwd=a%26b%3Dc%20d&proid=1"));
}

} // namespace
} // namespace parlumo
