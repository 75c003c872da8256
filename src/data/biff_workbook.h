#pragma once

#include <QByteArray>

namespace parlumo {

class SpreadsheetReader;

// Reads the cells of the first worksheet of a legacy Excel workbook stream (BIFF5 as written by
// Excel 5.0 and 95, BIFF8 as written by Excel 97 to 2003 and other programs) into the sheet.
// Numbers read as their digits whatever their number format, as in .xlsx files; formulas read
// as their last computed value. Embedded charts and other nested parts of the worksheet are
// skipped. Raises Error when the stream is no such workbook, is encrypted or is damaged.
void readBiffWorksheet(const QByteArray& workbook, SpreadsheetReader& sheet);

} // namespace parlumo
