// The compound-file container of .xls workbooks, from its bytes, and the workbook stream it holds.

#include "data/biff_workbook.h"
#include "data/compound_file.h"
#include "data/spreadsheet_reader.h"
#include "fuzz/fuzz_input.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const CompoundFile container(fuzz::bytes(data, size));
        const QByteArray workbook = container.stream({QStringLiteral("Workbook"), QStringLiteral("Book")});
        if (!workbook.isNull()) {
            SpreadsheetReader sheet;
            readBiffWorksheet(workbook, sheet);
        }
    } catch (const Error&) {
    }
    return 0;
}
