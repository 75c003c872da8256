#include "text/gbk.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(Gbk, RoundTripsChineseAndMarksWhatItCannotHold) {
    const QString text = QString::fromUtf8("发送短信 abc，。");
    EXPECT_EQ(fromGbk(toGbk(text)), text);
    EXPECT_EQ(toGbk(QString::fromUtf8("中")), QByteArray("\xD6\xD0"));
    EXPECT_EQ(toGbk(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    // A reply cut inside a character keeps the text before it.
    EXPECT_TRUE(fromGbk(QByteArray("ok\xD6")).startsWith(QStringLiteral("ok")));
}

} // namespace
} // namespace parlumo
