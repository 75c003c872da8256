#pragma once

#include "data/contact_rows.h"

#include <QList>
#include <QStringList>

namespace parlumo {

class SpreadsheetReader;

// Which number memo an import fills.
enum class NumberImport {
    Sms,   // the send-SMS screen keeps values longer than 9 characters
    Voice, // the voice screen keeps every value
};

// Column 1 of rows 2 through the last used row (row 1 is the header), trimmed; empty cells and,
// for the send-SMS screen, values of 9 characters or fewer are skipped.
QStringList importedNumbers(const SpreadsheetReader& sheet, NumberImport target);

// Columns 1 to 4 of rows 2, 3, … as contacts, up to the first row whose column 1 is empty.
QList<ContactRow> importedContacts(const SpreadsheetReader& sheet);

} // namespace parlumo
