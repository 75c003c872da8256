#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "widgets/spreadsheet_export.h"

#include "tests/support/program_fixture.h"
#include "tests/support/xlsx_parts.h"

#include <QFile>
#include <QtEndian>
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

// Workbooks that spreadsheet programs wrote, read cell by cell.
TEST_F(SpreadsheetTest, ReaderReadsWorkbooksOfOtherPrograms) {
    const SpreadsheetReader merged = SpreadsheetReader::open(test::spreadsheetFixture("MergeCell.xlsx"));
    EXPECT_EQ(merged.usedRows(), 12);
    EXPECT_EQ(merged.cell(1, 1), "A1");
    EXPECT_EQ(merged.cell(1, 2), QString());
    EXPECT_EQ(merged.cell(3, 1), QString());
    EXPECT_EQ(merged.cell(3, 2), "B3");
    EXPECT_EQ(merged.cell(12, 4), "D12");
    EXPECT_EQ(merged.cell(12, 5), QString());

    const SpreadsheetReader shared = SpreadsheetReader::open(test::spreadsheetFixture("SharedStrings.xlsx"));
    EXPECT_EQ(shared.usedRows(), 1);
    EXPECT_EQ(shared.cell(1, 1), "A");

    const SpreadsheetReader ragged = SpreadsheetReader::open(test::spreadsheetFixture("ragged.xls"));
    EXPECT_EQ(ragged.usedRows(), 5);
    const QStringList rows{"a b c", "d e", "f", "g h I j", "k   l"};
    for (int r = 1; r <= 5; ++r) {
        QStringList cells;
        for (int c = 1; c <= 4; ++c)
            cells << ragged.cell(r, c);
        EXPECT_EQ(cells.join(' ').trimmed(), rows[r - 1]) << r;
    }

    // Numbers stored as floating point (and in RK form) read as their digits whatever their date,
    // time, percent or currency format, as .xlsx cells do; the first of its four sheets is read,
    // not the sheet that holds an embedded chart.
    const SpreadsheetReader formats = SpreadsheetReader::open(test::spreadsheetFixture("Formate.xls"));
    EXPECT_EQ(formats.usedRows(), 10);
    const QStringList names{"Huber", "Äcker", "Öcker", "Morgen", "Mittag", "Abends", "gut", "schlecht", "viel", "wenig"};
    const QStringList numbers{"2741", "38406", "32266", "0.273611111111111", "0.538888888888889",
                              "0.741122685185185", "0.974", "0.124", "1000.3", "1.2"};
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(formats.cell(r, 1), names[r - 1]) << r;
        EXPECT_EQ(formats.cell(r, 2), numbers[r - 1]) << r;
        EXPECT_EQ(formats.cell(r, 3), QString()) << r;
    }
}

// Damaged copies of a real .xls file raise the reader's error for an unreadable sheet, never a
// crash or an endless loop. Offsets are those of Formate.xls: 512-byte sectors, the allocation
// table in sector 0, the Workbook stream in sectors 2 to 14, the directory in sector 18.
TEST_F(SpreadsheetTest, ReaderRefusesDamagedXlsFiles) {
    QFile fixture(test::spreadsheetFixture("Formate.xls"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray original = fixture.readAll();
    const auto fatEntry = [](int sector) { return 512 + 4 * sector; };
    const auto workbookByte = [](int offset) { return 3 * 512 + offset; };
    const struct {
        const char* name;
        qsizetype cutAt;
        qsizetype patchAt;
        quint32 value;
    } cases[] = {
        {"header cut short", 100, -1, 0},
        {"directory cut off", 600, -1, 0},
        {"workbook cut off", 5000, -1, 0},
        {"workbook chain in a circle", -1, fatEntry(5), 3},
        {"workbook chain past the end", -1, fatEntry(3), 0x00FFFFFF},
        {"directory chain in a circle", -1, fatEntry(18), 18},
        {"huge allocation table", -1, 0x2C, 0xFFFFFFFF},
        {"stream longer than the file", -1, 19 * 512 + 128 + 120, 0x00100000},
        {"stream longer than its chain", -1, 19 * 512 + 128 + 120, 8000},
        {"first sheet beyond the workbook", -1, workbookByte(0x766), 0x7FFFFFFF},
        {"record longer than the workbook", -1, workbookByte(0xAB2), 0xFFFF00FD},
        {"shared string longer than its record", -1, workbookByte(0x846 + 12), 0x0000FFFF},
    };
    for (const auto& c : cases) {
        QByteArray bytes = c.cutAt >= 0 ? original.left(c.cutAt) : original;
        if (c.patchAt >= 0)
            qToLittleEndian(c.value, bytes.data() + c.patchAt);
        writeBytes("damaged.xls", bytes);
        EXPECT_THROW(SpreadsheetReader::open(file("damaged.xls")), SpreadsheetContentError) << c.name;
    }
}

// Numbers stay the digits the sheet shows, text keeps leading zeros and every digit, and the used
// rows run to the last filled row even when the sheet starts further down.
TEST_F(SpreadsheetTest, ReaderKeepsNumbersAsDigitsAndCountsToTheLastFilledRow) {
    test::writeWorkbook(file("low.xlsx"),
                        {{3, 1, 13800138000.0},
                         {4, 1, "013912345678"},
                         {5, 1, "86138001380001234567"},
                         {6, 2, 2741.0},
                         {9, 1, " 13700137000 "}});
    const SpreadsheetReader sheet = SpreadsheetReader::open(file("low.xlsx"));
    EXPECT_EQ(sheet.usedRows(), 9);
    EXPECT_EQ(sheet.cell(3, 1), "13800138000");
    EXPECT_EQ(sheet.cell(4, 1), "013912345678");
    EXPECT_EQ(sheet.cell(5, 1), "86138001380001234567");
    EXPECT_EQ(sheet.cell(6, 2), "2741");
    EXPECT_EQ(sheet.cell(9, 1), "13700137000");
    EXPECT_EQ(sheet.cell(1, 1), QString());
}

// Cell references are read within the bounds of a sheet: the last column and row are cells, one
// past them and references no sheet has are left out, and nothing overflows.
TEST_F(SpreadsheetTest, CellReferencesAreReadWithinTheBoundsOfASheet) {
    const QByteArray workbook = R"(<workbook><sheets><sheet name="S" r:id="rId1"/></sheets></workbook>)";
    const QByteArray relations =
        R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)";
    const QByteArray sheet = R"(<worksheet><sheetData>
        <row r="1"><c r="XFD1"><v>last column</v></c><c r="XFE1"><v>past it</v></c>
                   <c r="ZZZZZZZZZZZZZZ1"><v>too many letters</v></c><c r="Ä1"><v>not a column</v></c></row>
        <row r="1048576"><c r="A1048576"><v>last row</v></c></row>
        <row r="1048577"><c r="A1048577"><v>past it</v></c></row>
        <row r="2147483647"><c><v>no such row</v></c></row>
        </sheetData></worksheet>)";
    test::writePackage(file("bounds.xlsx"),
                       {{"xl/workbook.xml", workbook},
                        {"xl/_rels/workbook.xml.rels", relations},
                        {"xl/worksheets/sheet1.xml", sheet}});
    const SpreadsheetReader read = SpreadsheetReader::open(file("bounds.xlsx"));
    EXPECT_EQ(read.cell(1, 16384), QStringLiteral("last column"));
    EXPECT_EQ(read.cell(1, 16385), QString());
    EXPECT_EQ(read.cell(1048576, 1), QStringLiteral("last row"));
    EXPECT_EQ(read.usedRows(), 1048576);
}

// A file that is a spreadsheet but whose sheet cannot be read is told apart from a file that is
// missing or no spreadsheet at all.
TEST_F(SpreadsheetTest, ReaderTellsADamagedSheetFromAFileThatIsNoSpreadsheet) {
    const QByteArray workbook = R"(<workbook><sheets><sheet name="S" r:id="rId1"/></sheets></workbook>)";
    const QByteArray relations =
        R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)";
    test::writePackage(file("cut.xlsx"),
                       {{"xl/workbook.xml", workbook},
                        {"xl/_rels/workbook.xml.rels", relations},
                        {"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1"}});
    test::writePackage(file("nosheet.xlsx"), {{"word/document.xml", "<document/>"}});
    EXPECT_THROW(SpreadsheetReader::open(file("cut.xlsx")), SpreadsheetContentError);
    EXPECT_THROW(SpreadsheetReader::open(file("nosheet.xlsx")), SpreadsheetContentError);

    writeBytes("text.xlsx", "13800138000\n");
    for (const char* name : {"text.xlsx", "absent.xlsx"}) {
        try {
            SpreadsheetReader::open(file(name));
            ADD_FAILURE() << name << " opened";
        } catch (const SpreadsheetContentError&) {
            ADD_FAILURE() << name << " taken for a damaged spreadsheet";
        } catch (const Error& error) {
            EXPECT_TRUE(error.reason().contains(file(name))) << error.reason().toStdString();
        }
    }
}

} // namespace
} // namespace parlumo
