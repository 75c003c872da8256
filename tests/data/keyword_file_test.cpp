#include "data/keyword_file.h"

#include "tests/support/program_fixture.h"

#include <QDir>

namespace parlumo {
namespace {

using KeywordFileTest = test::ProgramFolderTest;

TEST_F(KeywordFileTest, ReadsGbkWordsOneALineWithoutBlankLines) {
    // "违规" "  发票 " "" "赌博" "  " and "QQ", GBK, with every kind of line end.
    writeBytes("keyword.txt", "\xCE\xA5\xB9\xE6\r\n  \xB7\xA2\xC6\xB1 \r\n\r\n\xB6\xC4\xB2\xA9\n  \rQQ");
    EXPECT_EQ(
        readForbiddenWords(file("keyword.txt")),
        (QStringList{QString::fromUtf8("违规"), QString::fromUtf8("发票"), QString::fromUtf8("赌博"), "QQ"}));
    writeBytes("blank.txt", "\r\n \r\n");
    EXPECT_TRUE(readForbiddenWords(file("blank.txt")).isEmpty());
}

TEST_F(KeywordFileTest, AMissingOrUnreadableListHoldsNoWords) {
    EXPECT_TRUE(readForbiddenWords(file("keyword.txt")).isEmpty());
    ASSERT_TRUE(QDir(folder()).mkdir("folder.txt"));
    EXPECT_TRUE(readForbiddenWords(file("folder.txt")).isEmpty());
}

} // namespace
} // namespace parlumo
