// The spreadsheet reader on any file, opened as .xlsx, .xls and .csv in turn.

#include "data/spreadsheet_reader.h"
#include "fuzz/fuzz_input.h"
#include "text/trim_controls.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray contents = fuzz::bytes(data, size);
    for (const char* name : {"sheet.xlsx", "sheet.xls", "sheet.csv"}) {
        try {
            const SpreadsheetReader sheet = SpreadsheetReader::open(fuzz::scratchFile(name, contents));
            fuzz::require(sheet.usedRows() >= 0, "the used rows are counted from 0");
            for (int row = 1; row <= qMin(sheet.usedRows(), 20); ++row)
                for (int column = 1; column <= 20; ++column)
                    fuzz::require(sheet.cell(row, column) == trimControls(sheet.cell(row, column)),
                                  "a cell's text is trimmed");
        } catch (const Error&) {
        }
    }
    return 0;
}
