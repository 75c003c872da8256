#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "widgets/spreadsheet_export.h"

#include "tests/support/program_fixture.h"
#include "tests/support/xlsx_parts.h"

#include <QFile>
#include <QRegularExpression>

namespace parlumo {
namespace {

class SpreadsheetTest : public test::ProgramFolderTest {
protected:
    SpreadsheetTest() : exporter(messages, dialogs) {}

    // The cell references that carry the export's format (style 1).
    QStringList formattedCells(const QString& path) {
        const QString xml = QString::fromUtf8(test::xlsxPart(path, "xl/worksheets/sheet1.xml"));
        QStringList cells;
        static const QRegularExpression cell(R"re(<c r="([A-Z]+[0-9]+)" s="1")re");
        for (auto it = cell.globalMatch(xml); it.hasNext();)
            cells << it.next().captured(1);
        return cells;
    }

    test::RecordingMessageBoxes messages;
    test::RecordingFileDialogs dialogs;
    SpreadsheetExport exporter;
};

TEST_F(SpreadsheetTest, NumberListGoesIntoColumnAWithTheBlockFormatted) {
    dialogs.answers = {file("numbers")};
    exporter.exportNumbers(
        nullptr, "13800000001;13800000002\r\n 013912345678", QString::fromUtf8("手机号码"));
    const QString path = file("numbers.xlsx");
    const SpreadsheetReader sheet = SpreadsheetReader::open(path);
    EXPECT_EQ(sheet.usedRows(), 4);
    EXPECT_EQ(sheet.cell(1, 1), QString::fromUtf8("手机号码"));
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("13800000001"));
    EXPECT_EQ(sheet.cell(3, 1), QStringLiteral("13800000002"));
    EXPECT_EQ(sheet.cell(4, 1), QStringLiteral("013912345678")); // text: the leading zero stays
    EXPECT_EQ(formattedCells(path), (QStringList{"A1", "A2", "A3", "A4"}));
    const QString xml = QString::fromUtf8(test::xlsxPart(path, "xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(xml.contains("<v>13800000001</v>")) << "numbers must be written as text";
    const QString styles = QString::fromUtf8(test::xlsxPart(path, "xl/styles.xml"));
    EXPECT_TRUE(styles.contains(QString::fromUtf8("<name val=\"宋体\"/>"))) << styles.toStdString();
    EXPECT_TRUE(styles.contains("<sz val=\"10\"/>"));
    EXPECT_TRUE(styles.contains("<left style=\"thin\">"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("导出"));
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("数据导出成功!"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
}

TEST_F(SpreadsheetTest, EmptyMemoOrCancelledDialogDoesNothing) {
    exporter.exportNumbers(nullptr, QString(), "h");
    EXPECT_TRUE(dialogs.requests.isEmpty());
    exporter.exportNumbers(nullptr, "13800000001", "h");
    EXPECT_EQ(dialogs.requests.size(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SpreadsheetTest, RecordsExportRunsTheQueryAgainWithEmptyCellsFormatted) {
    Database db(file("db.db"));
    const QList<ExportColumn> columns{
        {"手机号码", "mobno"}, {"状态", "tag"}, {"发送时间", "intime"}, {"短信内容", "msg"}};
    const SqlText query("select * from send where uid='u' order by sid desc");

    dialogs.answers = {file("none.xlsx")};
    exporter.exportRecords(nullptr, db, query, columns);
    EXPECT_EQ(formattedCells(file("none.xlsx")), (QStringList{"A1", "B1", "C1", "D1"}));
    EXPECT_EQ(SpreadsheetReader::open(file("none.xlsx")).usedRows(), 1);

    db.execute(SqlText("insert into send (uid,mobno,tag,msg,intime) values "
                       "('u','13800000001','成功','你好','2026-12-01 08:00:00')"));
    db.execute(SqlText("insert into send (uid,mobno,tag,msg) values ('u','13800000002',NULL,'')"));
    db.execute(SqlText("insert into send (uid,mobno,tag,msg) values ('other','x','x','x')"));
    dialogs.answers = {file("two.xlsx")};
    exporter.exportRecords(nullptr, db, query, columns);
    const SpreadsheetReader sheet = SpreadsheetReader::open(file("two.xlsx"));
    EXPECT_EQ(sheet.usedRows(), 3);
    EXPECT_EQ(sheet.cell(1, 4), QString::fromUtf8("短信内容"));
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("13800000002"));
    EXPECT_EQ(sheet.cell(2, 2), QString());
    EXPECT_EQ(sheet.cell(3, 3), QStringLiteral("2026-12-01 08:00:00"));
    EXPECT_EQ(sheet.cell(3, 4), QString::fromUtf8("你好"));
    EXPECT_EQ(formattedCells(file("two.xlsx")).size(), 12);
}

TEST_F(SpreadsheetTest, ReplacesAnExistingFileAndReportsAFailedWrite) {
    writeBytes("old.xlsx", "old contents");
    dialogs.answers = {file("old.xlsx"), file("missing/folder/x.xlsx")};
    exporter.exportNumbers(nullptr, "13800000001", "h");
    EXPECT_EQ(SpreadsheetReader::open(file("old.xlsx")).cell(2, 1), QStringLiteral("13800000001"));
    exporter.exportNumbers(nullptr, "13800000001", "h");
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].caption, QString::fromUtf8("提示信息"));
    EXPECT_EQ(messages.shown[1].text, QString::fromUtf8("导入数据出错！请检查文件的格式是否正确！"));
}

TEST_F(SpreadsheetTest, ReaderReadsCsvAndRefusesWhatIsNoSpreadsheet) {
    writeBytes("list.csv",
               "\xEF\xBB\xBF"
               "name,number\r\n\"Li, Lei\",13800000001\r\n,\r\n\"say \"\"hi\"\"\", 139 \r\n");
    const SpreadsheetReader csv = SpreadsheetReader::open(file("list.csv"));
    EXPECT_EQ(csv.usedRows(), 4);
    EXPECT_EQ(csv.cell(2, 1), QStringLiteral("Li, Lei"));
    EXPECT_EQ(csv.cell(4, 1), QStringLiteral("say \"hi\""));
    EXPECT_EQ(csv.cell(4, 2), QStringLiteral("139"));
    EXPECT_EQ(csv.cell(3, 1), QString());
    writeBytes("broken.xlsx", "not a zip at all");
    EXPECT_THROW(SpreadsheetReader::open(file("broken.xlsx")), Error);
    EXPECT_THROW(SpreadsheetReader::open(file("absent.xlsx")), Error);
    writeBytes("broken.xls", "not a workbook");
    EXPECT_THROW(SpreadsheetReader::open(file("broken.xls")), Error);
}

} // namespace
} // namespace parlumo
