#include "sms/news_fetch.h"

#include "tests/support/sim_fixture.h"

#include <QCoreApplication>

namespace parlumo {
namespace {

using NewsFetchTest = test::SimulatorTest;

TEST_F(NewsFetchTest, TurnsLineBreakTagsIntoLinesOrSaysItCouldNotConnect) {
    sim::ScriptedReply page;
    page.status = 200;
    page.body = "\xD7\xEE\xD0\xC2<br>line two<br>";
    sim::ScriptedReply missing;
    missing.status = 404;
    missing.body = "gone";
    sim.script("/softnews.htm", page);
    sim.script("/softnews.htm", missing);
    const QString expected[] = {QString::fromUtf8("最新\nline two"),
                                QString::fromUtf8("无法连接消息服务器，请重新登录！")};
    for (const QString& text : expected) {
        QString received;
        load_http_new_Thread fetch(base() + "/softnews.htm", std::chrono::milliseconds(0));
        QObject receiver;
        QObject::connect(
            &fetch, &load_http_new_Thread::fetched, &receiver, [&](const QString& t) { received = t; });
        fetch.start();
        fetch.wait();
        QCoreApplication::processEvents();
        EXPECT_EQ(received, text);
    }
}

TEST(NewsText, IsCutToTheLongestNewsShown) {
    const struct {
        qsizetype length;
        QString shown;
    } cases[] = {
        {kMaxNewsChars - 1, QString(kMaxNewsChars - 1, QLatin1Char('n'))},
        {kMaxNewsChars, QString(kMaxNewsChars, QLatin1Char('n'))},
        {kMaxNewsChars + 1, QString(kMaxNewsChars, QLatin1Char('n')) + "…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(newsText(QString(c.length, QLatin1Char('n'))), c.shown) << c.length;
    // Counted after the line break tags became line breaks.
    EXPECT_EQ(newsText(QString("<br>").repeated(kMaxNewsChars)), QString(kMaxNewsChars - 1, QLatin1Char('\n')));
}

TEST_F(NewsFetchTest, CancellingDuringTheWaitFetchesNothing) {
    load_http_new_Thread fetch(base() + "/softnews.htm", std::chrono::seconds(30));
    fetch.start();
    fetch.cancel();
    EXPECT_TRUE(fetch.isFinished());
    EXPECT_TRUE(requestsTo("/softnews.htm").empty());
}

} // namespace
} // namespace parlumo
