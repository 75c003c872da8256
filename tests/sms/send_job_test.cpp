#include "sms/send_job.h"

#include "core/account_state.h"
#include "data/database.h"
#include "service/http.h"
#include "tests/support/sim_fixture.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

namespace parlumo {
namespace {

// What the job handed to the screen, in the order it arrived on this thread.
struct JobReport {
    QStringList lines;
    QStringList events;
    QString balance;
    bool numbersSent = false;
};

struct SendRow {
    QString uid, mobno, msg, tag;
    int num;
};

class SendJobTest : public test::SimulatorTest {
protected:
    SendJobTest() : db(dir.filePath("db.db")), account(soap()) {
        sim::Account demo = sim::demoAccount();
        demo.balance = *sim::Money::parse("100000");
        sim.putAccount(demo);
        account.change([](AccountFields& a) {
            a.uid = "demo";
            a.pwd = "demo2026";
            a.money = "1000";
            a.dj = "0.08";
        });
    }

    SendJobInputs inputs(const QString& numbers, int total, int parts = 1, const QString& content = "hello") {
        SendJobInputs in;
        in.numbersText = numbers;
        in.content = content;
        in.total = total;
        in.parts = parts;
        in.billingSize = 60;
        in.gatewayUrl = base() + "/sys_port/gateway/index.asp";
        in.pause = std::chrono::milliseconds(0);
        return in;
    }

    JobReport run(const SendJobInputs& in) {
        JobReport report;
        QObject receiver;
        SendsmsThread job(in, account, db);
        QObject::connect(&job, &SendsmsThread::begun, &receiver, [&] { report.events << "begun"; });
        QObject::connect(
            &job, &SendsmsThread::lineAdded, &receiver, [&](const QString& line) { report.lines << line; });
        QObject::connect(
            &job, &SendsmsThread::balanceLowered, &receiver, [&](const QString& b) { report.balance = b; });
        QObject::connect(&job, &SendsmsThread::numbersSent, &receiver, [&](const QString& read) {
            report.numbersSent = read == in.numbersText;
            report.events << "numbersSent";
        });
        QObject::connect(&job, &SendsmsThread::ended, &receiver, [&] { report.events << "ended"; });
        job.start();
        job.wait();
        QCoreApplication::processEvents();
        return report;
    }

    QList<SendRow> rows() {
        QSqlQuery q = db.execute(SqlText("select uid, mobno, num, msg, tag from send order by sid"));
        QList<SendRow> result;
        while (q.next())
            result.append(SendRow{q.value(0).toString(),
                                  q.value(1).toString(),
                                  q.value(3).toString(),
                                  q.value(4).toString(),
                                  q.value(2).toInt()});
        return result;
    }

    std::vector<std::string> postedTo() {
        std::vector<std::string> batches;
        for (const auto& r : requestsTo("/sys_port/gateway/index.asp"))
            for (const auto& p : r.params)
                if (p.name == "to")
                    batches.push_back(p.value);
        return batches;
    }

    static QString numbers(int count, int from = 0) {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("138%1").arg(from + i, 8, 10, QLatin1Char('0'));
        return list.join('\n');
    }

    QTemporaryDir dir;
    Database db;
    AccountState account;
};

TEST_F(SendJobTest, PostsBatchesOf5000ByPosition) {
    const JobReport report = run(inputs(numbers(12001), 12001));
    const auto batches = postedTo();
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(QString::fromStdString(batches[0]), numbers(5000).replace('\n', ','));
    EXPECT_EQ(QString::fromStdString(batches[1]), numbers(5000, 5000).replace('\n', ','));
    EXPECT_EQ(QString::fromStdString(batches[2]), numbers(2001, 10000).replace('\n', ','));
    const QList<SendRow> logged = rows();
    ASSERT_EQ(logged.size(), 3);
    EXPECT_EQ(logged[2].num, 2001);
    EXPECT_EQ(logged[0].tag, QString::fromUtf8("成功"));
    EXPECT_EQ(logged[0].uid, QStringLiteral("demo"));
    EXPECT_EQ(report.lines,
              (QStringList{QString::fromUtf8("正在始初化.."),
                           QString::fromUtf8("正在发送...请勿退出软件..."),
                           QString::fromUtf8("  由于本次任务号码较多，请耐心等侯。请勿中途退出。"),
                           QString::fromUtf8("第[ 1 ]次..[ 5000 ]条。提交成功!"),
                           QString::fromUtf8("第[ 2 ]次..[ 5000 ]条。提交成功!"),
                           QString::fromUtf8("第[ 3 ]次..[ 2001 ]条。提交成功!"),
                           QString::fromUtf8("成功发送 [12001] 条  消费 [960.08] 元。"),
                           QString::fromUtf8("任务完成。")}));
    EXPECT_EQ(report.balance, QStringLiteral("39.92"));
    EXPECT_EQ(account.get().money, QStringLiteral("39.92"));
    EXPECT_TRUE(report.numbersSent);
    EXPECT_EQ(report.events, (QStringList{"begun", "numbersSent", "ended"}));
}

TEST_F(SendJobTest, PatienceLineForLargeBilledCounts) {
    const struct {
        int count, parts;
        bool patience;
    } cases[] = {{5000, 1, true}, {2500, 1, false}, {2500, 2, true}};
    const QString patience = QString::fromUtf8("  由于本次任务号码较多，请耐心等侯。请勿中途退出。");
    for (const auto& c : cases) {
        sim.clearRequests();
        const JobReport report = run(inputs(numbers(c.count), c.count, c.parts));
        EXPECT_EQ(report.lines.contains(patience), c.patience) << c.count << "x" << c.parts;
        EXPECT_EQ(postedTo().size(), 1u);
        EXPECT_TRUE(report.lines.contains(
            QString::fromUtf8("第[ 1 ]次..[ %1 ]条。提交成功!").arg(c.count * c.parts)));
    }
}

TEST_F(SendJobTest, NumbersOfTheWrongLengthAreSkippedButCounted) {
    const JobReport report = run(inputs("13800000001\n123456789\n 13800000002 ", 3, 2));
    EXPECT_EQ(postedTo(), std::vector<std::string>{"13800000001,13800000002"});
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].num, 2);
    EXPECT_TRUE(report.lines.contains(QString::fromUtf8("成功发送 [4] 条  消费 [0.32] 元。")));
}

TEST_F(SendJobTest, OnlySpacesSendNothingAndClearTheNumbers) {
    const JobReport report = run(inputs("     ", 0));
    EXPECT_TRUE(postedTo().empty());
    EXPECT_EQ(
        report.lines.mid(report.lines.size() - 2),
        (QStringList{QString::fromUtf8("成功发送 [0] 条  消费 [0] 元。"), QString::fromUtf8("任务完成。")}));
    EXPECT_TRUE(report.numbersSent);
}

TEST_F(SendJobTest, MissingInputOrTooLittleBalanceEndsBeforeAnyPost) {
    const QString empty = QString::fromUtf8("发送失败：手机号码和短内容不能为空!");
    const QString poor = QString::fromUtf8("发送失败：您的余额不足以支付本次发送任务！");
    const struct {
        QString numbers, content, money, price;
        int total;
        QString last;
    } cases[] = {
        {"", "hi", "1000", "0.08", 0, empty},
        {"13800000001", "", "1000", "0.08", 1, empty},
        {"13800000001\n13800000002\n13800000003", "hi", "0.2999", "0.1", 3, poor},
    };
    for (const auto& c : cases) {
        account.change([&](AccountFields& a) {
            a.money = c.money;
            a.dj = c.price;
        });
        const JobReport report = run(inputs(c.numbers, c.total, 1, c.content));
        EXPECT_EQ(report.lines.last(), c.last);
        EXPECT_FALSE(report.numbersSent);
        EXPECT_EQ(report.events, (QStringList{"begun", "ended"}));
    }
    EXPECT_TRUE(postedTo().empty());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(SendJobTest, ABalanceEqualToTheCostPasses) {
    account.change([](AccountFields& a) {
        a.money = "0.3";
        a.dj = "0.1";
    });
    const JobReport report = run(inputs("13800000001\n13800000002\n13800000003", 3));
    EXPECT_TRUE(report.lines.contains(QString::fromUtf8("任务完成。")));
    EXPECT_EQ(report.balance, QStringLiteral("0"));
}

TEST_F(SendJobTest, ARefusalEndsTheJobWithoutARow) {
    const char* refusals[] = {"-01", "-02", "-03 extra", "-04", "-07", "9", "ABCDEFGHIJKLMNO"};
    for (const char* refusal : refusals) {
        sim::ScriptedReply reply;
        reply.status = 200;
        reply.body = refusal;
        sim.script("/sys_port/gateway/index.asp", reply);
        const JobReport report = run(inputs("13800000001", 1));
        EXPECT_EQ(report.lines.last(), refusalLine(refusal)) << refusal;
        EXPECT_FALSE(report.numbersSent);
        EXPECT_TRUE(report.balance.isEmpty());
    }
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(account.get().money, QStringLiteral("1000"));
}

TEST_F(SendJobTest, SecondOfThreeBatchesRefusedKeepsTheFirstRowAndTheBalance) {
    sim::ScriptedReply accepted;
    accepted.status = 200;
    accepted.body = "000";
    sim::ScriptedReply refused = accepted;
    refused.body = "-01";
    sim.script("/sys_port/gateway/index.asp", accepted);
    sim.script("/sys_port/gateway/index.asp", refused);
    const JobReport report = run(inputs(numbers(12000), 12000));
    EXPECT_EQ(postedTo().size(), 2u);
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(rows()[0].tag, QString::fromUtf8("成功"));
    EXPECT_EQ(report.lines.last(), QString::fromUtf8("发送失败：余额不足以支付本次发送！错误码：-01！"));
    EXPECT_FALSE(report.numbersSent);
    EXPECT_EQ(account.get().money, QStringLiteral("1000"));
}

TEST_F(SendJobTest, ANetworkFailureLogsTheBatchAsFailedAndGoesOn) {
    sim::ScriptedReply dropped;
    dropped.drop = true;
    sim::ScriptedReply accepted;
    accepted.status = 200;
    accepted.body = "000";
    sim.script("/sys_port/gateway/index.asp", accepted);
    sim.script("/sys_port/gateway/index.asp", dropped);
    const JobReport report = run(inputs(numbers(10001), 10001));
    const QList<SendRow> logged = rows();
    ASSERT_EQ(logged.size(), 3);
    EXPECT_EQ(logged[1].tag, QString::fromUtf8("失败"));
    EXPECT_EQ(logged[1].num, 5000);
    EXPECT_TRUE(report.lines.contains(QString::fromUtf8("第[ 2 ]次..[ 5000 ]条。发送失败。请检查网络!")));
    EXPECT_TRUE(report.lines.contains(QString::fromUtf8("成功发送 [5001] 条  消费 [400.08] 元。")));
    EXPECT_EQ(report.balance, QStringLiteral("599.92"));
    EXPECT_TRUE(report.numbersSent);
}

// A batch reply is read up to the gateway's limit; a larger one is that batch's network failure.
TEST_F(SendJobTest, ABatchReplyOverTheLimitIsANetworkFailure) {
    const qint64 limit = limits::kGateway.maxReplyBytes;
    const struct {
        qint64 size;
        const char* line;
        const char* tag;
    } cases[] = {{limit - 1, "第[ 1 ]次..[ 1 ]条。提交成功!", "成功"},
                 {limit, "第[ 1 ]次..[ 1 ]条。提交成功!", "成功"},
                 {limit + 1, "第[ 1 ]次..[ 1 ]条。发送失败。请检查网络!", "失败"}};
    for (const auto& c : cases) {
        sim::ScriptedReply reply;
        reply.status = 200;
        reply.body = "000" + std::string(static_cast<size_t>(c.size) - 3, '0');
        sim.script("/sys_port/gateway/index.asp", reply);
        const JobReport report = run(inputs("13800000001", 1));
        EXPECT_TRUE(report.lines.contains(QString::fromUtf8(c.line))) << c.size;
        EXPECT_EQ(rows().last().tag, QString::fromUtf8(c.tag)) << c.size;
    }
}

// A batch the gateway accepted is reported and charged even when its row cannot be written; the
// job then ends, posting nothing more, and the numbers stay for the user to look at.
TEST_F(SendJobTest, AnAcceptedBatchWhoseRowCannotBeWrittenIsReportedChargedAndEndsTheJob) {
    db.execute(SqlText("CREATE TRIGGER refuse BEFORE INSERT ON send WHEN NEW.tag = '成功' "
                       "BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
    const JobReport report = run(inputs(numbers(6000), 6000));
    EXPECT_EQ(postedTo().size(), 1u);
    EXPECT_TRUE(rows().isEmpty());
    ASSERT_GE(report.lines.size(), 2);
    EXPECT_EQ(report.lines[report.lines.size() - 2], QString::fromUtf8("第[ 1 ]次..[ 5000 ]条。提交成功!"));
    EXPECT_TRUE(report.lines.last().startsWith(QString::fromUtf8("第[ 1 ]次提交成功，但发送记录未能保存：")));
    EXPECT_TRUE(report.lines.last().contains("disk is full"));
    EXPECT_EQ(report.balance, QStringLiteral("600"));
    EXPECT_EQ(account.get().money, QStringLiteral("600"));
    EXPECT_FALSE(report.numbersSent);
    EXPECT_EQ(report.events.last(), QStringLiteral("ended"));
}

// A later failure that ends the job unexpectedly still charges the batches accepted before it.
TEST_F(SendJobTest, AcceptedBatchesAreChargedWhenALaterStepFails) {
    db.execute(SqlText("CREATE TRIGGER refuse BEFORE INSERT ON send WHEN NEW.tag = '失败' "
                       "BEGIN SELECT RAISE(ABORT, 'disk is full'); END"));
    sim::ScriptedReply accepted;
    accepted.status = 200;
    accepted.body = "000";
    sim::ScriptedReply dropped;
    dropped.drop = true;
    sim.script("/sys_port/gateway/index.asp", accepted);
    sim.script("/sys_port/gateway/index.asp", dropped);
    const JobReport report = run(inputs(numbers(12000), 12000));
    EXPECT_EQ(postedTo().size(), 2u);
    ASSERT_EQ(rows().size(), 1);
    EXPECT_EQ(report.balance, QStringLiteral("600"));
    EXPECT_FALSE(report.numbersSent);
}

// Closing the program lets the batch on its way be answered and logged, and posts no other;
// cancelling abandons it.
TEST_F(SendJobTest, StoppingAfterTheBatchOnItsWayLogsItAndPostsNoMore) {
    for (bool finishBatch : {true, false}) {
        SCOPED_TRACE(finishBatch ? "finish the batch" : "cancel");
        db.execute(SqlText("delete from send"));
        sim.clearRequests();
        sim::ScriptedReply slow;
        slow.status = 200;
        slow.body = "000";
        slow.delay = std::chrono::milliseconds(1500);
        sim.script("/sys_port/gateway/index.asp", slow);
        account.change([](AccountFields& a) { a.money = "1000"; });
        QString balance;
        SendsmsThread job(inputs(numbers(12000), 12000), account, db);
        QObject receiver;
        QObject::connect(
            &job, &SendsmsThread::balanceLowered, &receiver, [&](const QString& b) { balance = b; });
        job.start();
        QThread::msleep(500); // the first batch is on its way
        finishBatch ? job.finishBatchThenStop() : job.cancel();
        QCoreApplication::processEvents();
        EXPECT_EQ(rows().size(), finishBatch ? 1 : 0);
        EXPECT_EQ(account.get().money, finishBatch ? QStringLiteral("600") : QStringLiteral("1000"));
        EXPECT_EQ(balance, finishBatch ? QStringLiteral("600") : QString());
        QThread::msleep(1200); // the simulator answers the abandoned exchange too
        EXPECT_EQ(postedTo().size(), 1u);
    }
}

TEST_F(SendJobTest, LongContentIsPostedWholeAndLoggedCut) {
    QString content;
    for (int i = 0; i < 300; ++i)
        content += QChar(0x4E00 + i);
    run(inputs("13800000001", 1, 5, content));
    const auto requests = requestsTo("/sys_port/gateway/index.asp");
    ASSERT_EQ(requests.size(), 1u);
    bool found = false;
    for (const auto& p : requests[0].params)
        found |= p.name == "content" && QString::fromStdString(p.value) == content;
    EXPECT_TRUE(found);
    EXPECT_EQ(rows().at(0).msg, content.left(255));
}

TEST_F(SendJobTest, FormBodyBytesOfAChineseScheduledContent) {
    sim::Account demo = *sim.account("demo");
    demo.canSchedule = true;
    sim.putAccount(demo);
    SendJobInputs in = inputs("13800000001", 1, 1, QString::fromUtf8("你好 世界~"));
    in.time = "2026-12-24 09:05:00";
    run(in);
    const auto requests = requestsTo("/sys_port/gateway/index.asp");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body,
              "id=demo&pwd=demo2026&to=13800000001&content=%C4%E3%BA%C3%20%CA%C0%BD%E7%7E"
              "&time=2026-12-24%2009%3A05%3A00&ac=plorix");
}

} // namespace
} // namespace parlumo
