#include "mms/mms_screen.h"

#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "main_window/main_window.h"
#include "sms/phrase_screen.h"
#include "tests/mms/mms_screen_fixture.h"
#include "tests/support/record_lists.h"

#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

namespace parlumo {
namespace {

using test::MmsScreenTest;

TEST_F(MmsScreenTest, TheTreeSwitchesThePagesWhoseTabsAreHidden) {
    form().show();
    auto* tree = control<QTreeWidget>("tv1");
    auto* pages = control<QTabWidget>("ppc");
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("彩信群发"));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(pages->tabBar()->isHidden());
    EXPECT_EQ(pages->currentWidget(), control<QWidget>("tt1"));
    EXPECT_EQ(pages->tabText(0), QStringLiteral("新建任务"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("发送记录"));

    const struct {
        QTreeWidgetItem* node;
        const char* page;
    } steps[] = {{root->child(1), "tt2"}, {root, "tt2"}, {root->child(0), "tt1"}, {root, "tt1"}};
    for (const auto& s : steps) {
        tree->setCurrentItem(s.node);
        EXPECT_EQ(pages->currentWidget(), control<QWidget>(s.page)) << s.node->text(0).toStdString();
    }

    const QTextDocument* promotion = control<QTextEdit>("Memo2")->document();
    EXPECT_TRUE(control<QTextEdit>("Memo2")->isReadOnly());
    EXPECT_EQ(promotion->firstBlock().text(), QStringLiteral("为什么要选择彩信："));
    EXPECT_EQ(promotion->blockCount(), 5);
}

TEST_F(MmsScreenTest, EveryClickIntoTheTitleEmptiesIt) {
    form().show();
    auto* title = control<QLineEdit>("mmstitle");
    EXPECT_EQ(title->text(), QStringLiteral("建议写您的 姓名 或 单位名称"));
    EXPECT_EQ(title->maxLength(), 50);
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_TRUE(title->text().isEmpty());
    QTest::keyClicks(title, "abc");
    EXPECT_EQ(title->text(), QStringLiteral("abc"));
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_TRUE(title->text().isEmpty());
}

TEST_F(MmsScreenTest, TheTextStaysOneParagraphAndTheModeSetsItsLimit) {
    form().show();
    auto* text = control<QPlainTextEdit>("mmstxt");
    text->setFocus();
    QTest::keyClicks(text, "ab");
    QTest::keyClick(text, Qt::Key_Return);
    text->insertPlainText(QStringLiteral("彩信")); // what an input method commits
    EXPECT_EQ(text->toPlainText(), QStringLiteral("ab彩信"));
    EXPECT_EQ(control<QLineEdit>("zf")->text(), QStringLiteral("4"));

    auto* pictures = control<QGroupBox>("GroupBox5");
    control<QLineEdit>("edtmmfile")->setText(QStringLiteral("/x/a.gif"));
    control<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(control<QLabel>("max_txt")->text(), QStringLiteral("1000"));
    EXPECT_FALSE(pictures->isEnabled());
    EXPECT_EQ(control<QLineEdit>("edtmmfile")->text(), QStringLiteral("/x/a.gif"));
    control<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(control<QLabel>("max_txt")->text(), QStringLiteral("500"));
    EXPECT_TRUE(pictures->isEnabled());
}

TEST_F(MmsScreenTest, APictureIsChosenFromTheSampleFolderAndMoreAreOnTheServicesSite) {
    const QString sample =
        QDir(services().programFolder).filePath(QStringLiteral("彩信示例文件/a-long-picture-name.gif"));
    fileDialogs->answers << sample << QString();
    control<QPushButton>("LbSpeedButton1")->click();
    ASSERT_EQ(fileDialogs->requests.size(), 1);
    EXPECT_EQ(fileDialogs->requests[0].filter,
              QStringLiteral("GIF|*.gif|jpg|*.jpg|JPEG|*.jpeg|PNG|*.png|BMP|*.bmp|所有文件|*.*"));
    EXPECT_EQ(fileDialogs->requests[0].startFolder,
              QDir(services().programFolder).filePath(QStringLiteral("彩信示例文件")));
    EXPECT_EQ(control<QLineEdit>("edtmmfile")->text(), sample);
    control<QPushButton>("LbSpeedButton1")->click(); // cancelled
    EXPECT_EQ(control<QLineEdit>("edtmmfile")->text(), sample);

    control<QPushButton>("LbSpeedButton2")->click();
    ASSERT_EQ(shell->calls.size(), 1);
    EXPECT_EQ(shell->calls[0].target, base() + QStringLiteral("/mms/"));
}

TEST_F(MmsScreenTest, TypingIntoThePictureBoxStopsAtSeventeenCharacters) {
    form().show();
    auto* box = control<QLineEdit>("edtmmfile");
    box->setFocus();
    QTest::keyClicks(box, "abcdefghijklmnopqrstu");
    EXPECT_EQ(box->text(), QStringLiteral("abcdefghijklmnopq"));
    // A longer path from the dialog stays, and can be shortened.
    box->setText(QStringLiteral("/home/user/pictures/card.gif"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("/home/user/pictures/card.gi"));
    QTest::keyClicks(box, "x");
    EXPECT_EQ(box->text(), QStringLiteral("/home/user/pictures/card.gi"));
}

TEST_F(MmsScreenTest, TheSamplePicturesShipWithTheProgramAndFitTheLimit) {
    const QDir samples(QStringLiteral(PARLUMO_SAMPLE_PICTURES));
    const QStringList names = samples.entryList(QDir::Files);
    ASSERT_GE(names.size(), 2);
    for (const QString& name : names) {
        const QFileInfo picture(samples.filePath(name));
        EXPECT_LE(picture.size(), 100000) << name.toStdString();
        EXPECT_FALSE(QImage(picture.filePath()).isNull()) << name.toStdString();
    }
}

TEST_F(MmsScreenTest, TheNumberMemoTakesDigitsCountsLinesAndOffersItsOperations) {
    form().show();
    auto* memo = control<QPlainTextEdit>("mob");
    auto* count = control<QLineEdit>("hm");
    memo->setFocus();
    QTest::keyClicks(memo, "139a-0 ,");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "138");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("1390\n138"));
    EXPECT_EQ(count->text(), QStringLiteral("2"));

    memo->setPlainText(QStringLiteral("13900000000\n\n13800000000\n13900000000"));
    EXPECT_EQ(count->text(), QStringLiteral("4"));
    control<QPushButton>("LbSpeedButton11")->click();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n13800000000\n13900000000"));
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    QTextCursor caret(memo->document()->findBlockByNumber(1));
    memo->setTextCursor(caret);
    control<QPushButton>("LbSpeedButton600")->click();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n13900000000"));

    writeBytes("numbers.txt", "13700000000\r\nabc\r\n\xD6\xD0\r\n");
    fileDialogs->answers << file("numbers.txt");
    control<QPushButton>("LbSpeedButton59")->click();
    EXPECT_EQ(fileDialogs->requests.last().filter, QStringLiteral("txt|*.txt|text|*.text|所有文件|*.*"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("13700000000\nabc\n中"));
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    fileDialogs->answers << file("numbers.xlsx");
    control<QPushButton>("LbSpeedButton9")->click();
    const SpreadsheetReader sheet = SpreadsheetReader::open(file("numbers.xlsx"));
    EXPECT_EQ(sheet.cell(1, 1), QStringLiteral("手机号码"));
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("13700000000"));
    EXPECT_EQ(sheet.usedRows(), 4);

    control<QPushButton>("LbSpeedButton12")->click();
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(count->text(), QStringLiteral("0"));
}

TEST_F(MmsScreenTest, NumbersAndPhrasesHandedOverLandInTheMemos) {
    form().appendNumbers({"13800000001", "13800000002"});
    form().appendNumbers({"13800000003"});
    EXPECT_EQ(control<QPlainTextEdit>("mob")->toPlainText(),
              QStringLiteral("13800000001\n13800000002\n13800000003"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("3"));
    form().setMessageText(QStringLiteral("第一行\r\n第二行"));
    EXPECT_EQ(control<QPlainTextEdit>("mmstxt")->toPlainText(), QStringLiteral("第一行第二行"));
    EXPECT_EQ(control<QLineEdit>("zf")->text(), QStringLiteral("6"));
}

TEST_F(MmsScreenTest, InsertPhraseAsksForThePhraseLibrary) {
    TForm14 alone(services());
    QSignalSpy phrases(&alone, &TForm14::phrasesRequested);
    child<QPushButton>(alone, "btfdy")->click();
    EXPECT_EQ(phrases.size(), 1);

    control<QPushButton>("btfdy")->click();
    EXPECT_EQ(child<QWidget>(*screens().Form2, "Panel1")->children().last(),
              static_cast<QObject*>(screens().Form5));
}

class MmsRecordsTest : public MmsScreenTest {
protected:
    void addRecord(const QString& uid, const QString& snum, const QDateTime& when) {
        services().database->execute(
            SqlText("insert into mms_list(uid,snum,mobcount,mobno,title,coutent,mmsfiles,tag,intime) values(")
                .value(uid)
                .add(",")
                .value(snum)
                .add(",2,")
                .value(QStringLiteral("13800000001, 13800000002"))
                .add(",")
                .value(QStringLiteral("标题") + snum)
                .add(",")
                .value(QStringLiteral("内容") + snum)
                .add(",'a.gif','成功',")
                .value(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                .add(")"));
    }
    void showRecords() {
        form().show();
        auto* tree = control<QTreeWidget>("tv1");
        tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    }
    QTableView* grid() { return control<QTableView>("DBGrid1"); }
};

TEST_F(MmsRecordsTest, ShowingThePageListsTheLastWeeksRecordsAndAClickShowsOnesDetail) {
    logIn();
    const QDateTime now = QDateTime::currentDateTime();
    addRecord(QStringLiteral("demo"), QStringLiteral("101"), now.addDays(-8));
    addRecord(QStringLiteral("demo"), QStringLiteral("102"), now.addDays(-3));
    addRecord(QStringLiteral("other"), QStringLiteral("103"), now);
    addRecord(QStringLiteral("demo"), QStringLiteral("104"), now);
    showRecords();

    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"104", "102"}));
    QStringList captions;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        captions << grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"编号", "数量", "标题", "彩信文件", "发送时间", "状态"}));
    EXPECT_EQ(test::listedColumn(grid(), 1), (QStringList{"2", "2"}));

    QTest::mouseClick(
        grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(grid()->model()->index(1, 2)).center());
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->toPlainText(), QStringLiteral("13800000001\n13800000002"));
    EXPECT_EQ(control<QPlainTextEdit>("mmo2")->toPlainText(), QStringLiteral("内容102"));
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("接收号码"));
    EXPECT_EQ(control<QLabel>("lbl3")->text(), QStringLiteral("彩信内容"));

    // "查询" with older days; showing the screen again puts the last week back.
    control<QDateEdit>("sdate")->setDate(now.date().addDays(-10));
    control<QPushButton>("LbSpeedButton5")->click();
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"104", "102", "101"}));
    form().hide();
    form().show();
    EXPECT_EQ(control<QDateEdit>("sdate")->date(), now.date().addDays(-7));
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"104", "102"}));
}

TEST_F(MmsRecordsTest, TheExportWritesEveryColumnOfTheListedRecords) {
    logIn();
    addRecord(QStringLiteral("demo"), QStringLiteral("201"), QDateTime::currentDateTime());
    showRecords();
    fileDialogs->answers << file("records.xlsx");
    control<QPushButton>("LbSpeedButton6")->click();
    EXPECT_EQ(control<QPushButton>("LbSpeedButton6")->text(), QStringLiteral("导出记录 *.xls"));

    const SpreadsheetReader sheet = SpreadsheetReader::open(file("records.xlsx"));
    QStringList header, row;
    for (int c = 1; c <= 8; ++c) {
        header << sheet.cell(1, c);
        row << sheet.cell(2, c);
    }
    EXPECT_EQ(
        header,
        (QStringList{"编号", "数量", "标题", "彩信接收号码", "彩信内容", "彩信文件", "发送时间", "状态"}));
    row.removeAt(6); // the time of the insert
    EXPECT_EQ(row,
              (QStringList{"201", "2", "标题201", "13800000001, 13800000002", "内容201", "a.gif", "成功"}));
    EXPECT_EQ(sheet.usedRows(), 2);
}

} // namespace
} // namespace parlumo
