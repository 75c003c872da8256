// Importing a spreadsheet of 100 000 rows: reading the workbook, handing the numbers to a memo
// in one call, and storing the contacts in one transaction.
#include "bench/number_fixtures.h"
#include "contacts/import_rows.h"
#include "data/contact_rows.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "widgets/number_memo.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

// A workbook as the address book's export writes it: the header and one contact a row.
QString contactsWorkbook(const QTemporaryDir& folder) {
    QList<QStringList> rows;
    rows.reserve(kMemoNumbers);
    for (const QString& number : mobileNumbers(kMemoNumbers))
        rows.append({number, QStringLiteral("张三"), QStringLiteral("010-62345678"), QStringLiteral("备注")});
    const QString path = folder.filePath(QStringLiteral("contacts.xlsx"));
    writeSpreadsheet(path,
                     {QStringLiteral("手机号码"),
                      QStringLiteral("姓名"),
                      QStringLiteral("其它联系方式"),
                      QStringLiteral("备注")},
                     rows);
    return path;
}

void BM_ReadNumbersFromWorkbook(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString path = contactsWorkbook(folder);
    for (auto _ : state) {
        const QStringList numbers = importedNumbers(SpreadsheetReader::open(path), NumberImport::Sms);
        if (numbers.size() != kMemoNumbers)
            state.SkipWithError("the import read a different number of rows");
    }
    state.SetItemsProcessed(state.iterations() * kMemoNumbers);
}
BENCHMARK(BM_ReadNumbersFromWorkbook)->Unit(benchmark::kMillisecond);

// The compose screen's memo takes the whole list in one change and counts it once.
void BM_AppendImportedNumbers(benchmark::State& state) {
    const QStringList numbers = mobileNumbers(kMemoNumbers);
    QWidget screen;
    auto* mob = new QPlainTextEdit(&screen);
    auto* hm = new QLineEdit(&screen);
    NumberMemoConfig config;
    config.count = CountRule::Items;
    LastMessage messages;
    SaveTo dialogs{QString()};
    NumberMemo memo(&screen, mob, hm, nullptr, config, messages, dialogs);
    screen.show();
    for (auto _ : state) {
        state.PauseTiming();
        mob->clear();
        state.ResumeTiming();
        memo.appendNumbers(numbers);
    }
    if (hm->text() != QString::number(kMemoNumbers))
        state.SkipWithError("the memo counted a different number of items");
    state.SetItemsProcessed(state.iterations() * kMemoNumbers);
}
BENCHMARK(BM_AppendImportedNumbers)->Unit(benchmark::kMillisecond);

void BM_StoreImportedContacts(benchmark::State& state) {
    const QTemporaryDir folder;
    const QList<ContactRow> contacts = importedContacts(SpreadsheetReader::open(contactsWorkbook(folder)));
    Database db(folder.filePath(QStringLiteral("db.db")));
    for (auto _ : state) {
        state.PauseTiming();
        db.execute(SqlText("delete from telbook"));
        state.ResumeTiming();
        insertContactRows(db, QStringLiteral("demo"), 0, contacts);
    }
    QSqlQuery count = db.execute(SqlText("select count(*) from telbook"));
    if (!count.next() || count.value(0).toInt() != kMemoNumbers)
        state.SkipWithError("a different number of contacts was stored");
    state.SetItemsProcessed(state.iterations() * kMemoNumbers);
}
BENCHMARK(BM_StoreImportedContacts)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
