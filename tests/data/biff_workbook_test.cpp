#include "data/biff_workbook.h"
#include "data/spreadsheet_reader.h"
#include "text/gbk.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>

namespace parlumo {
namespace {

// Bytes written as a literal, zero bytes included.
template <qsizetype N>
QByteArray raw(const char (&bytes)[N]) {
    return QByteArray(bytes, N - 1);
}

QByteArray u16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray u32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray f64(double value) {
    QByteArray bytes(8, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray record(quint16 type, const QByteArray& body) {
    return u16(type) + u16(static_cast<quint16>(body.size())) + body;
}

QByteArray bof(quint16 version, quint16 part) {
    return record(0x0809, u16(version) + u16(part) + QByteArray(12, '\0'));
}

QByteArray eof() {
    return record(0x000A, {});
}

QByteArray cell(quint16 row, quint16 column) {
    return u16(row) + u16(column) + u16(15);
}

// A BIFF8 string with a two-byte length, 8-bit characters.
QByteArray compressed(const QByteArray& latin1) {
    return u16(static_cast<quint16>(latin1.size())) + '\0' + latin1;
}

// A BIFF8 string with a two-byte length, UTF-16 characters.
QByteArray wide(const QString& text) {
    QByteArray chars;
    for (QChar c : text)
        chars += u16(c.unicode());
    return u16(static_cast<quint16>(text.size())) + '\x01' + chars;
}

QByteArray sheetEntry(quint32 offset, quint8 type) {
    return record(0x0085, u32(offset) + '\0' + char(type) + raw("\x01\x00S"));
}

// A workbook stream: the globals built for the sheets' offsets, then the sheets. The globals are
// built twice, first to learn their length.
QByteArray workbook(const std::function<QByteArray(quint32 firstSheet)>& globals, const QByteArray& sheets) {
    const QByteArray head = globals(static_cast<quint32>(globals(0).size()));
    return head + sheets;
}

TEST(BiffWorkbook, ReadsTheCellsOfTheFirstWorksheetOfABiff8Workbook) {
    // The shared string table goes on in a CONTINUE record in the middle of a string, whose
    // characters change from 8-bit to UTF-16 there; a rich-text string follows.
    const QByteArray sst = u32(3) + u32(3) + compressed("abc") + u16(13) + '\0' + "1380013";
    const QByteArray continued = QByteArray("\x01") + wide("8000张三").mid(3) + u16(1) + '\x08' + u16(1) + "x" +
                                 u32(0x00010000);
    const QByteArray worksheet =
        bof(0x0600, 0x0010) + record(0x00FD, cell(0, 0) + u32(1)) + record(0x00FD, cell(0, 1) + u32(2)) +
        record(0x00FD, cell(0, 2) + u32(99)) +
        record(0x00BD, u16(1) + u16(0) + u16(15) + u32((1 << 2) | 2) + u16(15) + u32((12345 << 2) | 3) + u16(15) +
                           u32(0x3FE00000) + u16(15) + u32(static_cast<quint32>(-400) | 2) + u16(3)) +
        record(0x0006, cell(2, 0) + raw("\x00\x00\x00\x00\x00\x00\xFF\xFF") + QByteArray(8, '\0')) +
        record(0x0207, wide("公式")) +
        record(0x0006, cell(2, 1) + f64(13800138000.0) + QByteArray(8, '\0')) +
        record(0x0006, cell(2, 2) + raw("\x01\x00\x01\x00\x00\x00\xFF\xFF") + QByteArray(8, '\0')) +
        record(0x0205, cell(2, 3) + "\x07\x01") + record(0x0204, cell(3, 0) + wide(" 李四 ")) +
        bof(0x0600, 0x0020) + record(0x0203, cell(9, 0) + f64(7)) + eof() +
        record(0x0203, cell(4, 0) + f64(2741.0)) + eof() + record(0x0203, cell(20, 0) + f64(1));
    const QByteArray chart = bof(0x0600, 0x0020) + eof();
    const QByteArray stream = workbook(
        [&](quint32 first) {
            return bof(0x0600, 0x0005) + sheetEntry(first + worksheet.size(), 2) + sheetEntry(first, 0) +
                   record(0x00FC, sst) + record(0x003C, continued) + eof();
        },
        worksheet + chart);

    SpreadsheetReader sheet;
    readBiffWorksheet(stream, sheet);
    EXPECT_EQ(sheet.usedRows(), 5);
    const QStringList rows[] = {{QString::fromUtf8("13800138000张三"), "x", ""},
                                {"1", "123.45", "0.5", "-100"},
                                {QString::fromUtf8("公式"), "13800138000", "1", "#DIV/0!"},
                                {QString::fromUtf8("李四")},
                                {"2741"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            EXPECT_EQ(sheet.cell(r + 1, c + 1), rows[r][c]) << r + 1 << "," << c + 1;
    EXPECT_EQ(sheet.cell(10, 1), QString()) << "a cell of the embedded chart";
}

TEST(BiffWorkbook, ReadsBiff5TextInTheWorkbooksCodePage) {
    const QByteArray name = toGbk(QString::fromUtf8("张三"));
    const QByteArray worksheet = bof(0x0500, 0x0010) + record(0x0204, cell(0, 0) + u16(name.size()) + name) +
                                 record(0x0006, cell(1, 0) + raw("\x00\x00\x00\x00\x00\x00\xFF\xFF") + QByteArray(6, '\0')) +
                                 record(0x0207, u16(3) + "abc") + eof();
    const QByteArray stream = workbook(
        [&](quint32 first) {
            return bof(0x0500, 0x0005) + record(0x0042, u16(936)) + sheetEntry(first, 0) + eof();
        },
        worksheet);
    SpreadsheetReader sheet;
    readBiffWorksheet(stream, sheet);
    EXPECT_EQ(sheet.cell(1, 1), QString::fromUtf8("张三"));
    EXPECT_EQ(sheet.cell(2, 1), "abc");
}

TEST(BiffWorkbook, RefusesWhatItCannotRead) {
    const QByteArray worksheet = bof(0x0600, 0x0010) + record(0x0203, cell(0, 0) + f64(1)) + eof();
    const auto withGlobals = [&](quint16 version, const QByteArray& records) {
        return workbook([&](quint32 first) { return bof(version, 0x0005) + sheetEntry(first, 0) + records + eof(); },
                        worksheet);
    };
    const struct {
        const char* name;
        QByteArray stream;
    } cases[] = {
        {"empty", {}},
        {"no start record", record(0x0203, cell(0, 0) + f64(1))},
        {"Excel 4.0", withGlobals(0x0400, {})},
        {"encrypted", withGlobals(0x0600, record(0x002F, u16(1)))},
        {"only a chart sheet", bof(0x0600, 0x0005) + sheetEntry(0, 2) + eof()},
        {"sheet offset not at a record", withGlobals(0x0600, {}).replace(bof(0x0600, 0x0010), record(0x0203, QByteArray(16, '\0')))},
        {"record cut short", withGlobals(0x0600, {}).chopped(5)},
    };
    for (const auto& c : cases) {
        SpreadsheetReader sheet;
        EXPECT_THROW(readBiffWorksheet(c.stream, sheet), Error) << c.name;
    }
    SpreadsheetReader sheet;
    readBiffWorksheet(withGlobals(0x0600, {}), sheet);
    EXPECT_EQ(sheet.cell(1, 1), "1") << "the workbook the cases above spoil";
}

} // namespace
} // namespace parlumo
