// Exporting a memo of 100 000 numbers to an .xlsx workbook.
#include "bench/number_fixtures.h"
#include "widgets/spreadsheet_export.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

void BM_ExportNumbers(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString text = memoOfNumbers(kFixtureRows);
    LastMessage messages;
    SaveTo dialogs(folder.filePath(QStringLiteral("numbers.xlsx")));
    SpreadsheetExport exporter(messages, dialogs);
    for (auto _ : state)
        exporter.exportNumbers(nullptr, text, QStringLiteral("手机号码"));
    state.counters["rows"] = kFixtureRows;
    if (messages.text != QStringLiteral("数据导出成功!"))
        state.SkipWithError("the export failed");
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_ExportNumbers)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
