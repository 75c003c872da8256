#include "data/text_files.h"

#include "tests/support/program_fixture.h"

namespace parlumo {
namespace {

using TextFilesTest = test::ProgramFolderTest;

TEST_F(TextFilesTest, ReadsGbkLinesEndedByAnyLineBreak) {
    writeBytes("n.txt", "13800000001\r\n13800000002\n13800000003\r\xD6\xD0\xCE\xC4\r\n\r\nlast");
    EXPECT_EQ(
        readTextLines(file("n.txt")),
        (QStringList{"13800000001", "13800000002", "13800000003", QString::fromUtf8("中文"), "", "last"}));
    writeBytes("empty.txt", "");
    EXPECT_TRUE(readTextLines(file("empty.txt")).isEmpty());
}

TEST_F(TextFilesTest, WritesGbkWithCrLfReplacingAFile) {
    writeBytes("out.txt", "old old old old");
    writeTextLines(file("out.txt"), {"13800000001", QString::fromUtf8("中文"), ""});
    EXPECT_EQ(readBytes("out.txt"), QByteArray("13800000001\r\n\xD6\xD0\xCE\xC4\r\n\r\n"));
}

TEST_F(TextFilesTest, FailuresCarryTheSystemsReason) {
    try {
        readTextLines(file("absent.txt"));
        FAIL();
    } catch (const Error& error) {
        EXPECT_FALSE(error.reason().isEmpty());
    }
    EXPECT_THROW(writeTextLines(file("no/such/dir.txt"), {"x"}), Error);
}

} // namespace
} // namespace parlumo
