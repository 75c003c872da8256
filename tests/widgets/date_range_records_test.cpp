#include "widgets/date_range_records.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "tests/support/program_fixture.h"
#include "tests/support/record_lists.h"

#include <QDateEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

namespace parlumo {
namespace {

class DateRangeRecordsTest : public test::ProgramFolderTest {
protected:
    DateRangeRecordsTest() : database(file(QStringLiteral("db.db"))), account(QString()) {
        account.change([](AccountFields& f) { f.uid = QStringLiteral("demo"); });
        services.database = &database;
        services.account = &account;
        services.messages = &messages;
        services.fileDialogs = &dialogs;
        records = new DateRangeRecords(services, config(), &page);
        page.resize(800, 500);
        page.show();
    }

    static DateRangeRecordsConfig config() {
        DateRangeRecordsConfig c;
        c.table = QStringLiteral("mms_list");
        c.keyField = QStringLiteral("id");
        c.columns = {{QStringLiteral("snum"), QStringLiteral("编号"), 12},
                     {QStringLiteral("title"), QStringLiteral("标题"), 20},
                     {QStringLiteral("intime"), QStringLiteral("发送时间"), 18}};
        c.carriedFields = {QStringLiteral("mobno")};
        c.exportColumns = {{QStringLiteral("编号"), QStringLiteral("snum")},
                           {QStringLiteral("彩信接收号码"), QStringLiteral("mobno")}};
        c.queryButton = {QStringLiteral("LbSpeedButton5"), QStringLiteral("查询")};
        c.exportButton = {QStringLiteral("LbSpeedButton6"), QStringLiteral("导出记录 *.xls")};
        c.gridCaption = QStringLiteral("点击下面查看号码");
        return c;
    }

    void addRecord(const QString& uid, const QString& snum, const QString& intime) {
        QSqlQuery insert(database.connection());
        insert.prepare(QStringLiteral("insert into mms_list(uid,snum,mobcount,mobno,title,intime) "
                                      "values(?,?,1,?,'t',?)"));
        insert.addBindValue(uid);
        insert.addBindValue(snum);
        insert.addBindValue(QStringLiteral("1380000") + snum);
        insert.addBindValue(intime);
        ASSERT_TRUE(insert.exec());
    }
    void pickDays(const QString& first, const QString& last) {
        child<QDateEdit>(&page, "sdate")->setDate(QDate::fromString(first, Qt::ISODate));
        child<QDateEdit>(&page, "edate")->setDate(QDate::fromString(last, Qt::ISODate));
    }
    QTableView* grid() { return child<QTableView>(&page, "DBGrid1"); }

    Database database;
    AccountState account;
    test::RecordingMessageBoxes messages;
    test::RecordingFileDialogs dialogs;
    Services services;
    QWidget page;
    DateRangeRecords* records = nullptr;
};

TEST_F(DateRangeRecordsTest, ListsTheAccountsRecordsStrictlyInsideTheDaysNewestFirst) {
    addRecord(QStringLiteral("demo"), QStringLiteral("1"), QStringLiteral("2026-12-01 00:00:00"));
    addRecord(QStringLiteral("demo"), QStringLiteral("2"), QStringLiteral("2026-12-01 00:00:01"));
    addRecord(QStringLiteral("other"), QStringLiteral("3"), QStringLiteral("2026-12-02 10:00:00"));
    addRecord(QStringLiteral("demo"), QStringLiteral("4"), QStringLiteral("2026-12-03 23:59:58"));
    addRecord(QStringLiteral("demo"), QStringLiteral("5"), QStringLiteral("2026-12-03 23:59:59"));
    addRecord(QStringLiteral(" demo"), QStringLiteral("6"), QStringLiteral("2026-12-02 10:00:00"));
    pickDays(QStringLiteral("2026-12-01"), QStringLiteral("2026-12-03"));

    QTest::mouseClick(child<QPushButton>(&page, "LbSpeedButton5"), Qt::LeftButton);

    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"4", "2"}));
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号"));
    EXPECT_EQ(grid()->model()->columnCount(), 3);
}

TEST_F(DateRangeRecordsTest, AClickOnAListedRecordIsHandedOnAndAClickInAnEmptyListIsNot) {
    QSignalSpy clicked(records, &DateRangeRecords::recordClicked);
    records->query();
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(clicked.isEmpty());

    addRecord(QStringLiteral("demo"), QStringLiteral("7"), QDateTime::currentDateTime().toString(
                                                               QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    addRecord(QStringLiteral("demo"), QStringLiteral("8"), QDateTime::currentDateTime().toString(
                                                               QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    records->resetDates();
    records->query();
    const QRect second = grid()->visualRect(grid()->model()->index(1, 0));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(records->currentValue(QStringLiteral("snum")).toString(), QStringLiteral("7"));
    EXPECT_EQ(records->currentValue(QStringLiteral("mobno")).toString(), QStringLiteral("13800007"));
}

TEST_F(DateRangeRecordsTest, TheExportRunsTheLastQueryAgainAndWritesItsColumns) {
    addRecord(QStringLiteral("demo"), QStringLiteral("1"), QStringLiteral("2026-12-02 08:00:00"));
    pickDays(QStringLiteral("2026-12-01"), QStringLiteral("2026-12-03"));
    records->query();
    addRecord(QStringLiteral("demo"), QStringLiteral("2"), QStringLiteral("2026-12-02 09:00:00"));
    dialogs.answers << file(QStringLiteral("records.xlsx"));

    QTest::mouseClick(child<QPushButton>(&page, "LbSpeedButton6"), Qt::LeftButton);

    const SpreadsheetReader sheet = SpreadsheetReader::open(file(QStringLiteral("records.xlsx")));
    EXPECT_EQ(sheet.usedRows(), 3);
    EXPECT_EQ(sheet.cell(1, 1), QStringLiteral("编号"));
    EXPECT_EQ(sheet.cell(1, 2), QStringLiteral("彩信接收号码"));
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("2"));
    EXPECT_EQ(sheet.cell(3, 2), QStringLiteral("13800001"));
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().text, QStringLiteral("数据导出成功!"));
}

TEST_F(DateRangeRecordsTest, ResetDatesPicksTheLastSevenDays) {
    pickDays(QStringLiteral("2020-01-01"), QStringLiteral("2020-01-02"));
    records->resetDates();
    EXPECT_EQ(child<QDateEdit>(&page, "sdate")->date(), QDate::currentDate().addDays(-7));
    EXPECT_EQ(child<QDateEdit>(&page, "edate")->date(), QDate::currentDate());
}

} // namespace
} // namespace parlumo
