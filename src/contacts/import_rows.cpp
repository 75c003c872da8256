#include "contacts/import_rows.h"

#include "data/spreadsheet_reader.h"

namespace parlumo {

namespace {

constexpr int kFirstDataRow = 2;
constexpr qsizetype kShortestSmsNumber = 10;

} // namespace

QStringList importedNumbers(const SpreadsheetReader& sheet, NumberImport target) {
    const qsizetype shortest = target == NumberImport::Sms ? kShortestSmsNumber : 1;
    QStringList numbers;
    for (int row = kFirstDataRow; row <= sheet.usedRows(); ++row) {
        QString number = sheet.cell(row, 1);
        if (number.size() >= shortest)
            numbers.append(std::move(number));
    }
    return numbers;
}

QList<ContactRow> importedContacts(const SpreadsheetReader& sheet) {
    QList<ContactRow> contacts;
    for (int row = kFirstDataRow; !sheet.cell(row, 1).isEmpty(); ++row)
        contacts.append(
            ContactRow{sheet.cell(row, 1), sheet.cell(row, 2), sheet.cell(row, 3), sheet.cell(row, 4)});
    return contacts;
}

} // namespace parlumo
