#include "widgets/forbidden_word_check.h"

#include "core/services.h"
#include "tests/support/marked_ranges.h"
#include "tests/support/program_fixture.h"
#include "text/gbk.h"

#include <QPlainTextEdit>

namespace parlumo {
namespace {

class ForbiddenWordCheckTest : public test::ProgramFolderTest {
protected:
    ForbiddenWordCheck& check() {
        if (!check_) {
            services_.programFolder = folder();
            services_.messages = &messages;
            check_ = new ForbiddenWordCheck(&screen, box, services_);
        }
        return *check_;
    }
    QStringList marked() const { return test::markedRanges(box); }

    QWidget screen;
    QPlainTextEdit* box = new QPlainTextEdit(&screen);
    test::RecordingMessageBoxes messages;

private:
    Services services_;
    ForbiddenWordCheck* check_ = nullptr;
};

TEST_F(ForbiddenWordCheckTest, WithoutAReadableListEveryTextPasses) {
    box->setPlainText(QString::fromUtf8("开发票"));
    EXPECT_TRUE(check().passes());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(box->extraSelections().isEmpty());
}

TEST_F(ForbiddenWordCheckTest, MarksEveryPlaceAndNamesTheWordsOnce) {
    writeBytes("keyword.txt", toGbk(QString::fromUtf8("六合彩\r\n合彩\r\nvip\r\n")));
    box->setPlainText(QString::fromUtf8("买六合彩 VIP 六合彩"));
    EXPECT_FALSE(check().passes());
    EXPECT_EQ(marked(), (QStringList{"1-4", "2-4", "5-8", "9-12", "10-12"}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages.shown[0].text,
              QString::fromUtf8("内容里包含违规关键字：“六合彩”、“合彩”、“vip”，请修改后再发送！"));

    // The list is read at every check, and a text that passes loses its marks.
    writeBytes("keyword.txt", QByteArray("vip"));
    EXPECT_FALSE(check().passes());
    EXPECT_EQ(marked(), QStringList{"5-8"});
    box->setPlainText(QString::fromUtf8("买 V I P"));
    EXPECT_TRUE(check().passes());
    EXPECT_TRUE(box->extraSelections().isEmpty());
    EXPECT_EQ(messages.shown.size(), 2);
}

} // namespace
} // namespace parlumo
