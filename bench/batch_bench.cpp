// Preparing one gateway batch of 5000 numbers: split the memo text, keep the numbers of 10 to
// 12 characters and join them, encode the form body.
#include "bench/number_fixtures.h"
#include "data/number_list.h"
#include "sms/send_job.h"

#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

// The memo text of one batch with blanks and quotes removed, as the job splits it.
QString batchText() {
    QString text = memoOfNumbers(kBatchSize);
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\''));
    return text;
}

void BM_BatchSplit(benchmark::State& state) {
    const QString text = batchText();
    for (auto _ : state)
        benchmark::DoNotOptimize(splitNumberList(text));
}
BENCHMARK(BM_BatchSplit)->Unit(benchmark::kMicrosecond);

void BM_BatchFilterJoin(benchmark::State& state) {
    const QStringList items = splitNumberList(batchText());
    for (auto _ : state)
        benchmark::DoNotOptimize(batchAt(items, kBatchSize, 1).numbers);
}
BENCHMARK(BM_BatchFilterJoin)->Unit(benchmark::kMicrosecond);

void BM_BatchEncodeBody(benchmark::State& state) {
    const QString numbers = batchAt(splitNumberList(batchText()), kBatchSize, 1).numbers;
    for (auto _ : state)
        benchmark::DoNotOptimize(formBody(
            gatewayFields(QStringLiteral("demo"), QStringLiteral("demo2026"), numbers, kMessage, {})));
}
BENCHMARK(BM_BatchEncodeBody)->Unit(benchmark::kMicrosecond);

void BM_BatchPrepare(benchmark::State& state) {
    const QString text = batchText();
    for (auto _ : state) {
        const QString numbers = batchAt(splitNumberList(text), kBatchSize, 1).numbers;
        benchmark::DoNotOptimize(formBody(
            gatewayFields(QStringLiteral("demo"), QStringLiteral("demo2026"), numbers, kMessage, {})));
    }
}
BENCHMARK(BM_BatchPrepare)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace parlumo::bench
