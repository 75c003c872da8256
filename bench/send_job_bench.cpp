// A whole send job of 100 000 numbers against parlumo-sim in a process of its own, beside posting
// the same 20 gateway bodies with libcurl alone; the CPU time is this process's, all threads.
#include "bench/curl_post.h"
#include "bench/number_fixtures.h"
#include "bench/sim_process.h"
#include "core/account_state.h"
#include "data/database.h"
#include "data/number_list.h"
#include "sim/account.h"
#include "sms/send_job.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

constexpr const char* kBalance = "1000000000";
constexpr const char* kPrice = "0.08";

// parlumo-sim with the demo account able to pay for every job; its replies are due only a day
// after a send, so the reply box never takes part.
struct Gateway {
    Gateway() {
        sim.control("POST", QStringLiteral("/__sim/settings"), R"({"replyDelayMs": 86400000})");
        sim.control("POST",
                    QStringLiteral("/__sim/accounts"),
                    std::string(R"({"id": ")") + sim::kDemoAccountId + R"(", "balance": ")" + kBalance +
                        R"(", "smsPrice": ")" + kPrice + R"("})");
    }
    std::string url() const { return sim.gatewayUrl().toStdString(); }
    // The simulator keeps every request it was sent: forgotten between runs.
    void forgetRequests() const { sim.control("DELETE", QStringLiteral("/__sim/requests")); }
    SimulatorProcess sim;
};

// The job's last lines when every number of the fixture was accepted.
const QString kAllSent = QStringLiteral("成功发送 [%1] 条").arg(kFixtureRows);

void BM_SendJob(benchmark::State& state) {
    Gateway gateway;
    const QTemporaryDir folder;
    Database database(folder.filePath(QStringLiteral("bench.db")));
    // The user-interface thread's connection stays open all along, as the program's does.
    database.connection();
    AccountState account(gateway.sim.soapUrl());
    account.change([](AccountFields& a) {
        a.uid = QString::fromLatin1(sim::kDemoAccountId);
        a.pwd = QString::fromLatin1(sim::kDemoAccountPassword);
        a.money = QString::fromLatin1(kBalance);
        a.dj = QString::fromLatin1(kPrice);
    });
    SendJobInputs inputs;
    inputs.numbersText = memoOfNumbers(kFixtureRows);
    inputs.content = kMessage;
    inputs.total = countNumbers(inputs.numbersText, CountRule::Items);
    inputs.parts = 1;
    inputs.gatewayUrl = QString::fromStdString(gateway.url());
    inputs.pause = std::chrono::milliseconds(0);

    QStringList lines;
    for (auto _ : state) {
        state.PauseTiming();
        gateway.forgetRequests();
        lines.clear();
        SendsmsThread job(inputs, account, database);
        QObject::connect(
            &job,
            &SendsmsThread::lineAdded,
            &job,
            [&](const QString& line) { lines << line; },
            Qt::DirectConnection);
        state.ResumeTiming();
        job.start();
        job.wait();
    }
    if (lines.size() < 2 || !lines[lines.size() - 2].startsWith(kAllSent) ||
        lines.last() != QStringLiteral("任务完成。"))
        state.SkipWithError("the job did not send every number and complete");
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_SendJob)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(5);

// The 20 bodies of the job above, posted in a loop: a new handle for each post as the program
// does (argument 0), or one handle kept alive across the posts (argument 1).
void BM_CurlPostBodies(benchmark::State& state) {
    Gateway gateway;
    const QStringList items = splitNumberList(memoOfNumbers(kFixtureRows));
    QList<QByteArray> bodies;
    for (int batch = 1; batch <= batchCount(kFixtureRows); ++batch)
        bodies << formBody(gatewayFields(QString::fromLatin1(sim::kDemoAccountId),
                                         QString::fromLatin1(sim::kDemoAccountPassword),
                                         batchAt(items, kFixtureRows, batch).numbers,
                                         kMessage,
                                         {}));
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded");
    headers = curl_slist_append(headers, "Expect:");
    const bool reuse = state.range(0) == 1;
    CurlPointer kept(curl_easy_init());

    int accepted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        gateway.forgetRequests();
        accepted = 0;
        state.ResumeTiming();
        for (const QByteArray& body : bodies) {
            CurlPointer fresh(reuse ? nullptr : curl_easy_init());
            if (post(reuse ? kept.get() : fresh.get(), gateway.url(), body, headers).starts_with("000"))
                ++accepted;
        }
    }
    curl_slist_free_all(headers);
    if (accepted != bodies.size())
        state.SkipWithError("the gateway did not accept every body");
    state.SetItemsProcessed(state.iterations() * kFixtureRows);
}
BENCHMARK(BM_CurlPostBodies)
    ->ArgName("keepAlive")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(5);

} // namespace
} // namespace parlumo::bench
