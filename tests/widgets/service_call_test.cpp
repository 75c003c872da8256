#include "widgets/service_call.h"

#include "tests/support/sim_fixture.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

namespace parlumo {
namespace {

using namespace std::chrono_literals;

class ServiceCallTest : public test::SimulatorTest {
protected:
    ServiceCall::Work sendFax(QByteArray document) {
        return [endpoint = soap(), document = std::move(document)](const SoapCallControl& control) {
            return soapClientFor(endpoint, control)
                .SendFax(QStringLiteral("demo"),
                         QStringLiteral("demo2026"),
                         QStringLiteral("01012345678"),
                         QStringLiteral("Li"),
                         QStringLiteral("doc"),
                         document,
                         QStringLiteral("d.pdf"));
        };
    }
    void scriptFax(sim::ScriptedReply reply) { sim.script("/Service.asmx", std::move(reply), "SendFax"); }

    ServiceCall call;
    QProgressBar indicator;
};

TEST_F(ServiceCallTest, AnUploadReportsItsProgressThenTheReplyOnTheWindowThread) {
    sim::ScriptedReply accepted;
    accepted.soapResult = "F20261211";
    scriptFax(accepted);
    call.setIndicator(&indicator);
    QSignalSpy progress(&call, &ServiceCall::uploadProgressed);
    QSignalSpy answered(&call, &ServiceCall::answered);

    call.start(sendFax(QByteArray(3'000'000, 'x')));
    EXPECT_TRUE(call.running());
    EXPECT_FALSE(indicator.isHidden());
    ASSERT_TRUE(answered.wait(30'000));

    EXPECT_EQ(answered.takeFirst().at(0).toString(), QStringLiteral("F20261211"));
    EXPECT_FALSE(call.running());
    EXPECT_TRUE(indicator.isHidden());
    ASSERT_FALSE(progress.isEmpty());
    qint64 before = 0;
    for (const QList<QVariant>& step : progress) {
        EXPECT_GE(step.at(0).toLongLong(), before);
        before = step.at(0).toLongLong();
    }
    // The whole envelope went out: the base64 of the document and the envelope around it.
    EXPECT_EQ(progress.last().at(0).toLongLong(), progress.last().at(1).toLongLong());
    EXPECT_GT(progress.last().at(1).toLongLong(), 4'000'000);
    ASSERT_EQ(requestsTo("/Service.asmx").size(), 1u);
}

TEST_F(ServiceCallTest, AFaultADroppedConnectionAndARefusedPortAreFailuresWithTheirReason) {
    // A port that was just free: a stopped simulator's.
    sim::Simulator closed;
    const int refusedPort = closed.start(0);
    closed.stop();

    sim::ScriptedReply fault;
    fault.soapFault = "Server was unable to process request";
    sim::ScriptedReply dropped;
    dropped.drop = true;
    scriptFax(fault);
    scriptFax(dropped);
    const QString refused = QStringLiteral("http://127.0.0.1:%1/Service.asmx").arg(refusedPort);

    const struct {
        ServiceCall::Work work;
        QString reasonHolds;
    } cases[] = {
        {sendFax("doc"), QStringLiteral("Server was unable to process request")},
        {sendFax("doc"), QString()},
        {[refused](const SoapCallControl& control) {
             return soapClientFor(refused, control).GetUserInfo(QStringLiteral("demo"), QStringLiteral("x"));
         },
         QString()},
    };
    for (const auto& c : cases) {
        QSignalSpy failed(&call, &ServiceCall::failed);
        QSignalSpy answered(&call, &ServiceCall::answered);
        call.start(c.work);
        ASSERT_TRUE(failed.wait(30'000));
        EXPECT_TRUE(answered.isEmpty());
        const QString reason = failed.takeFirst().at(0).toString();
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(reason.contains(c.reasonHolds)) << reason.toStdString();
        EXPECT_FALSE(call.running());
    }
}

TEST_F(ServiceCallTest, OneCallRunsAtATimeAndACancelledCallDeliversNothing) {
    sim::ScriptedReply slow;
    slow.soapResult = "F1";
    slow.delay = 10s;
    scriptFax(slow);
    QSignalSpy answered(&call, &ServiceCall::answered);
    QSignalSpy failed(&call, &ServiceCall::failed);

    call.start(sendFax("doc"));
    call.start(sendFax("second"));
    QTest::qWait(300); // the exchange is under way
    call.cancel();
    EXPECT_FALSE(call.running());
    QTest::qWait(200);
    EXPECT_TRUE(answered.isEmpty());
    EXPECT_TRUE(failed.isEmpty());

    // The next call runs as usual after a cancelled one.
    sim::ScriptedReply accepted;
    accepted.soapResult = "F2";
    scriptFax(accepted);
    call.start(sendFax("doc"));
    ASSERT_TRUE(answered.wait(30'000));
    EXPECT_EQ(answered.takeFirst().at(0).toString(), QStringLiteral("F2"));
}

TEST_F(ServiceCallTest, DestroyingACallThatRunsAbandonsItsExchange) {
    sim::ScriptedReply slow;
    slow.soapResult = "F1";
    slow.delay = 60s;
    scriptFax(slow);
    auto running = std::make_unique<ServiceCall>();
    QSignalSpy answered(running.get(), &ServiceCall::answered);
    running->start(sendFax("doc"));
    QTest::qWait(300); // the exchange is under way
    running.reset();
    EXPECT_TRUE(answered.isEmpty());
}

} // namespace
} // namespace parlumo
