#include "contacts/import_rows.h"
#include "data/spreadsheet_reader.h"

#include <gtest/gtest.h>

namespace parlumo {

void PrintTo(const ContactRow& row, std::ostream* os) {
    *os << '{' << QStringList{row.mobno, row.tname, row.othertel, row.memo}.join('|').toStdString() << '}';
}

namespace {

// A sheet with one value per row in column 1, from row 1.
SpreadsheetReader columnOne(const QStringList& values) {
    SpreadsheetReader sheet;
    for (qsizetype i = 0; i < values.size(); ++i)
        sheet.setCell(static_cast<int>(i) + 1, 1, values[i]);
    return sheet;
}

TEST(ImportRowsTest, NumbersSkipTheHeaderAndTheSmsImportKeepsValuesOfTenCharactersOrMore) {
    const SpreadsheetReader sheet = columnOne({"13800138000",
                                               "123456789",
                                               "1234567890",
                                               "12345678901",
                                               "",
                                               "8881234",
                                               "013912345678",
                                               "abcdefghij"});
    EXPECT_EQ(importedNumbers(sheet, NumberImport::Sms),
              (QStringList{"1234567890", "12345678901", "013912345678", "abcdefghij"}));
    EXPECT_EQ(
        importedNumbers(sheet, NumberImport::Voice),
        (QStringList{"123456789", "1234567890", "12345678901", "8881234", "013912345678", "abcdefghij"}));
}

TEST(ImportRowsTest, NumbersRunThroughTheLastUsedRowPastEmptyRows) {
    SpreadsheetReader sheet;
    sheet.setCell(4, 1, "13800000004");
    sheet.setCell(9, 1, "13800000009");
    sheet.setCell(10, 2, "not column 1");
    EXPECT_EQ(importedNumbers(sheet, NumberImport::Sms), (QStringList{"13800000004", "13800000009"}));
    EXPECT_TRUE(importedNumbers(columnOne({"手机号码"}), NumberImport::Voice).isEmpty());
    EXPECT_TRUE(importedNumbers(SpreadsheetReader(), NumberImport::Voice).isEmpty());
}

TEST(ImportRowsTest, ContactsTakeFourColumnsUpToTheFirstEmptyNumber) {
    SpreadsheetReader sheet;
    const QList<QStringList> rows{{"手机号码", "姓名", "其它联系方式", "备注"},
                                  {"13800138000", "张三", "010-62345678", "老客户"},
                                  {"abc", "", "", "x"},
                                  {"13900139000", "李四"},
                                  {"", "no number"},
                                  {"13700137000", "after the gap"}};
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            sheet.setCell(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
    EXPECT_EQ(importedContacts(sheet),
              (QList<ContactRow>{{"13800138000", "张三", "010-62345678", "老客户"},
                                 {"abc", "", "", "x"},
                                 {"13900139000", "李四", "", ""}}));
    SpreadsheetReader gapFirst;
    gapFirst.setCell(3, 1, "13800138000");
    EXPECT_TRUE(importedContacts(gapFirst).isEmpty());
}

} // namespace
} // namespace parlumo
