// The .xlsx reader past the zip layer: the input's parts, split at the record separator 0x1E,
// are packed as the worksheet, the shared strings, the workbook and its relations of a package.

#include "data/spreadsheet_reader.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/xlsx_parts.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QStringList names{"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/workbook.xml",
                                   "xl/_rels/workbook.xml.rels"};
    const QList<QByteArray> parts = fuzz::bytes(data, size).split('\x1e');
    QList<QPair<QString, QByteArray>> package;
    for (qsizetype i = 0; i < parts.size() && i < names.size(); ++i)
        package.append({names[i], parts[i]});
    const QString path = fuzz::scratchFile(QStringLiteral("package.xlsx"), QByteArray());
    test::writePackage(path, package);
    try {
        SpreadsheetReader::open(path);
    } catch (const Error&) {
    }
    return 0;
}
