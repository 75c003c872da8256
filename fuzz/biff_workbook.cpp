// The BIFF5 and BIFF8 workbook stream of .xls files, without its container.

#include "data/biff_workbook.h"
#include "data/spreadsheet_reader.h"
#include "fuzz/fuzz_input.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SpreadsheetReader sheet;
    try {
        readBiffWorksheet(fuzz::bytes(data, size), sheet);
    } catch (const Error&) {
    }
    return 0;
}
