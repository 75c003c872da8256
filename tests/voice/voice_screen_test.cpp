#include "voice/voice_screen.h"

#include "data/spreadsheet_reader.h"
#include "tests/support/modal.h"
#include "tests/support/record_lists.h"
#include "tests/voice/voice_fixture.h"
#include "voice/voice_progress_dialog.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeWidget>

namespace parlumo {
namespace {

class VoiceRecordsTest : public test::VoiceScreenTest {
protected:
    QTreeWidget* tv1() { return child<QTreeWidget>(form(), "tv1"); }
    void select(const QString& node) {
        tv1()->setCurrentItem(tv1()->findItems(node, Qt::MatchRecursive | Qt::MatchExactly).first());
    }
    QTableView* grid() { return child<QTableView>(form(), "DBGrid1"); }
    void addRecord(const QString& uid, const QString& snum, const QString& fcount, const QString& vfile, const QString& intime) {
        services().database->execute(
            SqlText(QStringLiteral("insert into vlist(uid,snum,mode,fcount,vfile,tag,intime) values("))
                .value(uid)
                .add(QStringLiteral(","))
                .value(snum)
                .add(QStringLiteral(",'1',"))
                .value(fcount)
                .add(QStringLiteral(","))
                .value(vfile)
                .add(QStringLiteral(",'成功',"))
                .value(intime)
                .add(QStringLiteral(")")));
    }
    static QString daysAgo(int days) {
        return QDateTime::currentDateTime().addDays(-days).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
};

TEST_F(VoiceRecordsTest, TheTreeSwitchesPagesAndShowsTheNumberHeaderOnlyForVoiceMessages) {
    form().show();
    EXPECT_TRUE(tv1()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(tv1()->topLevelItem(0)->childCount(), 3);
    auto* ppc = child<QStackedWidget>(form(), "ppc");
    const struct {
        const char* node;
        const char* page;
        bool header;
    } cases[] = {{"拔打电话", "tt4", false},
                 {"语音服务", "tt4", false},
                 {"呼叫记录", "tt2", false},
                 {"语音短信", "tt1", true},
                 {"语音服务", "tt1", true}};
    for (const auto& c : cases) {
        select(QString::fromUtf8(c.node));
        EXPECT_EQ(ppc->currentWidget()->objectName(), QString::fromLatin1(c.page)) << c.node;
        for (const char* label : {"Label7", "Label9", "hm"})
            EXPECT_EQ(child<QWidget>(form(), label)->isVisible(), c.header) << c.node << " " << label;
    }
    EXPECT_TRUE(child<QPlainTextEdit>(form(), "Memo1")->isReadOnly());
    EXPECT_FALSE(child<QPlainTextEdit>(form(), "Memo1")->toPlainText().isEmpty());
}

TEST_F(VoiceRecordsTest, ShowingTheRecordsListsTheLastSevenDaysOfTheAccountNewestFirst) {
    logIn();
    addRecord("demo", "V1", "3", "a.wav", daysAgo(8));
    addRecord("demo", "V2", "2", "", daysAgo(6));
    addRecord("other", "V3", "1", "", daysAgo(1));
    addRecord("demo", "52017", "1", "", daysAgo(0));
    form().show();
    child<QDateEdit>(form(), "sdate")->setDate(QDate(2020, 1, 1));
    select(QStringLiteral("呼叫记录"));
    EXPECT_EQ(child<QDateEdit>(form(), "sdate")->date(), QDate::currentDate().addDays(-7));
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"52017", "V2"}));
    EXPECT_EQ(test::listedColumn(grid(), 1), (QStringList{"1", "2"}));
    QStringList captions;
    for (int column = 0; column < grid()->model()->columnCount(); ++column)
        captions << grid()->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"任务编号", "数量", "语音文件", "状态", "时间"}));

    child<QDateEdit>(form(), "sdate")->setDate(QDate::currentDate().addDays(-9));
    child<QPushButton>(form(), "LbSpeedButton10")->click();
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"52017", "V2", "V1"}));
}

TEST_F(VoiceRecordsTest, AClickOnARecordOpensItsProgressAndAClickInAnEmptyListDoesNot) {
    logIn();
    form().resize(1000, 700);
    form().show();
    QSignalSpy progress(&form(), &TForm12::progressRequested);
    select(QStringLiteral("呼叫记录"));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(progress.isEmpty());

    addRecord("demo", "V2", "2", "", daysAgo(1));
    addRecord("demo", "V5", "5", "b.wav", daysAgo(0));
    child<QPushButton>(form(), "LbSpeedButton10")->click();
    const QRect second = grid()->visualRect(grid()->model()->index(1, 0));
    QDialog* dialog = screens().Form13;
    QStringList shown;
    EXPECT_TRUE(test::whileModalShows(
        dialog,
        [&] { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, second.center()); },
        [&] { shown << child<QLineEdit>(dialog, "snum_s")->text() << child<QLineEdit>(dialog, "allhm")->text(); }));
    ASSERT_EQ(progress.size(), 1);
    EXPECT_EQ(progress[0][0].toString(), QStringLiteral("V2"));
    EXPECT_EQ(progress[0][1].toString(), QStringLiteral("2"));
    EXPECT_EQ(shown, (QStringList{"V2", "2"}));
}

TEST_F(VoiceRecordsTest, TheExportWritesTheListedRecordsUnderTheirCaptions) {
    logIn();
    addRecord("demo", "V1", "3", "a.wav", daysAgo(3));
    addRecord("demo", "V2", "2", "", daysAgo(2));
    addRecord("demo", "V3", "1", "", daysAgo(1));
    select(QStringLiteral("呼叫记录"));
    fileDialogs->answers << file("records.xlsx");
    child<QPushButton>(form(), "LbSpeedButton11")->click();
    const SpreadsheetReader sheet = SpreadsheetReader::open(file("records.xlsx"));
    EXPECT_EQ(sheet.usedRows(), 4);
    QStringList header;
    for (int column = 1; column <= 5; ++column)
        header << sheet.cell(1, column);
    EXPECT_EQ(header, (QStringList{"编号", "数量", "语音文件", "状态", "时间"}));
    EXPECT_EQ(sheet.cell(4, 1), QStringLiteral("V1"));
    EXPECT_EQ(sheet.cell(4, 2), QStringLiteral("3"));
    EXPECT_EQ(sheet.cell(4, 3), QStringLiteral("a.wav"));
    EXPECT_EQ(sheet.cell(4, 4), QStringLiteral("成功"));
    ASSERT_FALSE(messages->shown.isEmpty());
    EXPECT_EQ(messages->shown.last().text, QStringLiteral("数据导出成功!"));
}

} // namespace
} // namespace parlumo
