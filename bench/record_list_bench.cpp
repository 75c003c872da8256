// Opening the record lists of 100 000 records as the screens do: the contacts of a group, all
// contacts, a search by name and by number, and the sent log; then ticking every row of the sent
// log and reading the numbers of all ticked rows, as "全选" and "发短信" do.
#include "bench/peak_memory.h"
#include "bench/record_fixtures.h"
#include "data/database.h"

#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

// The statement's rows are counted and keyed, and the first page is read.
void BM_OpenList(benchmark::State& state, RecordList which) {
    const ListCase list = listCase(which);
    Database database(sharedRecordsDatabase());
    RecordListModel model(database, list.config);
    const PeakMemory peak;
    for (auto _ : state)
        model.open(list.statement);
    peak.report(state);
    state.counters["rows"] = model.totalRows();
    if (model.totalRows() == 0)
        state.SkipWithError("the list is empty");
}
BENCHMARK_CAPTURE(BM_OpenList, contacts_of_group, RecordList::ContactsOfGroup)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenList, all_contacts, RecordList::AllContacts)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenList, contacts_by_name, RecordList::ContactsByName)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenList, contacts_by_number, RecordList::ContactsByNumber)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenList, sent_log, RecordList::SentLog)->Unit(benchmark::kMillisecond);

void BM_SentLogTickAllAndReadNumbers(benchmark::State& state) {
    const ListCase list = listCase(RecordList::SentLog);
    Database database(sharedRecordsDatabase());
    RecordListModel model(database, list.config);
    model.open(list.statement);
    const PeakMemory peak;
    for (auto _ : state) {
        model.tickAll();
        if (model.tickedNumbers().size() != kFixtureRows)
            state.SkipWithError("not every ticked row gave its numbers");
        model.untickAll();
    }
    peak.report(state);
    state.counters["rows"] = kFixtureRows;
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_SentLogTickAllAndReadNumbers)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
