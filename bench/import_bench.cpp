// Importing a spreadsheet of 100 000 rows as the import dialog does: into the compose screen's
// number memo (read the numbers, hand them to the memo in one call) and into the address book
// (read the contacts, store them in one transaction); each whole and by its steps.
#include "bench/number_fixtures.h"
#include "bench/peak_memory.h"
#include "bench/record_fixtures.h"
#include "contacts/import_rows.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

// An address book database of its own, emptied before each iteration.
struct AddressBook {
    AddressBook() : database(folder.filePath(QStringLiteral("records.db"))) {}
    void empty() { database.execute(SqlText(QStringLiteral("delete from telbook"))); }
    int contacts() {
        QSqlQuery count = database.execute(SqlText(QStringLiteral("select count(*) from telbook")));
        return count.next() ? count.value(0).toInt() : -1;
    }
    const QTemporaryDir folder;
    Database database;
};

void BM_ReadNumbersFromWorkbook(benchmark::State& state) {
    const QString path = sharedWorkbook();
    const PeakMemory peak;
    for (auto _ : state) {
        const QStringList numbers = importedNumbers(SpreadsheetReader::open(path), NumberImport::Sms);
        if (numbers.size() != kFixtureRows)
            state.SkipWithError("the import read a different number of rows");
    }
    peak.report(state);
    state.counters["rows"] = kFixtureRows;
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_ReadNumbersFromWorkbook)->Unit(benchmark::kMillisecond);

// The compose screen's memo, emptied before each iteration, takes the list that `numbers` gives
// in one change and counts it once.
template <typename Numbers>
void appendToMemo(benchmark::State& state, Numbers numbers) {
    ComposeMemo ui;
    const PeakMemory peak;
    for (auto _ : state) {
        state.PauseTiming();
        ui.mob->clear();
        state.ResumeTiming();
        ui.memo.appendNumbers(numbers());
    }
    peak.report(state);
    state.counters["rows"] = ui.hm->text().toInt();
    if (ui.hm->text() != QString::number(kFixtureRows))
        state.SkipWithError("the memo counted a different number of items");
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}

// An address book of its own, emptied before each iteration, stores the contacts that `contacts`
// gives in one transaction.
template <typename Contacts>
void storeInAddressBook(benchmark::State& state, Contacts contacts) {
    AddressBook book;
    const PeakMemory peak;
    for (auto _ : state) {
        state.PauseTiming();
        book.empty();
        state.ResumeTiming();
        insertContactRows(book.database, kAccount, kImportGroup, contacts());
    }
    peak.report(state);
    const int stored = book.contacts();
    state.counters["rows"] = stored;
    if (stored != kFixtureRows)
        state.SkipWithError("a different number of contacts was stored");
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}

void BM_AppendImportedNumbers(benchmark::State& state) {
    const QStringList numbers = mobileNumbers(kFixtureRows);
    appendToMemo(state, [&] { return numbers; });
}
BENCHMARK(BM_AppendImportedNumbers)->Unit(benchmark::kMillisecond);

void BM_ImportNumbersToMemo(benchmark::State& state) {
    const QString path = sharedWorkbook();
    appendToMemo(state, [&] { return importedNumbers(SpreadsheetReader::open(path), NumberImport::Sms); });
}
BENCHMARK(BM_ImportNumbersToMemo)->Unit(benchmark::kMillisecond);

void BM_StoreImportedContacts(benchmark::State& state) {
    const QList<ContactRow> contacts = fixtureContacts();
    storeInAddressBook(state, [&] { return contacts; });
}
BENCHMARK(BM_StoreImportedContacts)->Unit(benchmark::kMillisecond);

void BM_ImportContactsToAddressBook(benchmark::State& state) {
    const QString path = sharedWorkbook();
    storeInAddressBook(state, [&] { return importedContacts(SpreadsheetReader::open(path)); });
}
BENCHMARK(BM_ImportContactsToAddressBook)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
