// Counting and duplicates removal of a memo of 100 000 numbers, as plain functions and through
// the compose screen's memo widgets.
#include "bench/number_fixtures.h"
#include "bench/peak_memory.h"
#include "data/number_list.h"

#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

void BM_CountNumbers(benchmark::State& state) {
    const QString text = memoOfNumbers(kFixtureRows);
    for (auto _ : state)
        benchmark::DoNotOptimize(countNumbers(text, CountRule::Items));
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_CountNumbers)->Unit(benchmark::kMillisecond);

// The anchor of the recount: one pass counting the line feeds of the same text.
void BM_CountSeparators(benchmark::State& state) {
    const QString text = memoOfNumbers(kFixtureRows);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::count(text.cbegin(), text.cend(), QLatin1Char('\n')) + 1);
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_CountSeparators)->Unit(benchmark::kMillisecond);

// Pasting the whole list: the memo takes the text and recounts once. The peak memory is counted
// from the shown, empty memo (the text pasted is already there, as on the clipboard).
void BM_MemoSetText(benchmark::State& state) {
    const QString text = memoOfNumbers(kFixtureRows);
    ComposeMemo ui;
    const PeakMemory peak;
    for (auto _ : state) {
        ui.mob->setPlainText(text);
        benchmark::DoNotOptimize(ui.hm->text());
    }
    peak.report(state);
    state.counters["rows"] = kFixtureRows;
    if (ui.hm->text() != QString::number(kFixtureRows))
        state.SkipWithError("the memo counted a different number of items");
}
BENCHMARK(BM_MemoSetText)->Unit(benchmark::kMillisecond);

// One digit typed at the end of a full memo: every change recounts the whole text.
void BM_MemoTypeDigit(benchmark::State& state) {
    ComposeMemo ui;
    ui.mob->setPlainText(memoOfNumbers(kFixtureRows));
    ui.hm->clear();
    QTextCursor cursor(ui.mob->document());
    cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("1"));
        state.PauseTiming();
        {
            const QSignalBlocker quiet(ui.mob);
            cursor.deletePreviousChar();
        }
        state.ResumeTiming();
    }
    if (ui.hm->text() != QString::number(kFixtureRows))
        state.SkipWithError("the memo did not recount after typing");
}
BENCHMARK(BM_MemoTypeDigit)->Unit(benchmark::kMillisecond);

// The memo's rule from text to text, as `sort -u` takes lines and gives lines.
void BM_RemoveDuplicateLines(benchmark::State& state) {
    const QString text = memoOfNumbers(kFixtureRows);
    for (auto _ : state)
        benchmark::DoNotOptimize(removeDuplicateLines(text));
    state.counters["rows"] = kFixtureRows;
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_RemoveDuplicateLines)->Unit(benchmark::kMillisecond);

// "过滤重号" on a full memo: read the lines, sort and drop repeats, put them back, recount.
void BM_MemoRemoveDuplicates(benchmark::State& state) {
    const QString text = memoOfNumbers(kFixtureRows);
    ComposeMemo ui;
    for (auto _ : state) {
        state.PauseTiming();
        ui.mob->setPlainText(text);
        state.ResumeTiming();
        ui.memo.removeDuplicates();
    }
    if (ui.hm->text() != QStringLiteral("95000"))
        state.SkipWithError("duplicates removal left a different number of items");
}
BENCHMARK(BM_MemoRemoveDuplicates)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
