// Opening a record list of 100 000 batches, ticking every row and reading the numbers of all
// ticked rows, as the sent log does with "全选" and "发短信".
#include "data/database.h"
#include "sms/sent_log_queries.h"
#include "widgets/record_list_model.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace parlumo::bench {
namespace {

constexpr int kRows = 100000;

void fill(Database& database) {
    QSqlDatabase db = database.connection();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into send(uid,mobno,num,msg,tag) values('demo',?,1,?,'成功')"));
    for (int i = 0; i < kRows; ++i) {
        insert.addBindValue(QStringLiteral("1380000%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
        insert.addBindValue(QStringLiteral("您好，这是第%1条测试短信内容。").arg(i));
        insert.exec();
    }
    db.commit();
}

const SqlText kStatement(QStringLiteral("select * from send where uid='demo' order by sid desc"));

void BM_RecordListOpen(benchmark::State& state) {
    const QTemporaryDir folder;
    Database database(folder.filePath(QStringLiteral("db.db")));
    fill(database);
    RecordListModel model(database, sentLogList());
    for (auto _ : state)
        model.open(kStatement);
    if (model.totalRows() != kRows)
        state.SkipWithError("not every row was counted");
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RecordListOpen)->Unit(benchmark::kMillisecond);

void BM_RecordListTickAllAndReadNumbers(benchmark::State& state) {
    const QTemporaryDir folder;
    Database database(folder.filePath(QStringLiteral("db.db")));
    fill(database);
    RecordListModel model(database, sentLogList());
    model.open(kStatement);
    for (auto _ : state) {
        model.tickAll();
        benchmark::DoNotOptimize(model.tickedNumbers());
        model.untickAll();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RecordListTickAllAndReadNumbers)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace parlumo::bench
