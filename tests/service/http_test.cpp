#include "service/http.h"

#include "service/query.h"
#include "tests/support/sim_fixture.h"
#include "text/url_encode.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace parlumo {
namespace {

using sim::ScriptedReply;
using HttpTest = test::SimulatorTest;
using namespace std::chrono_literals;

ScriptedReply body(int status, const std::string& text) {
    ScriptedReply reply;
    reply.status = status;
    reply.body = text;
    return reply;
}

// A loopback port on which nothing listens: bound once, then released.
int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

TEST_F(HttpTest, GetTextGivesTheTrimmedBodyOfA200AndEmptyTextOtherwise) {
    ScriptedReply stalled = body(200, "000");
    stalled.delay = 3s;
    ScriptedReply dropped;
    dropped.drop = true;
    const struct {
        const char* name;
        std::optional<ScriptedReply> reply;
        QString url;
        HttpLimits limits;
        QString expected;
    } cases[] = {
        {"200 with line break", body(200, "000\r\n"), {}, limits::kAccount, "000"},
        {"200 with blanks and controls",
         body(200,
              " \t\x01"
              "-03|x \x02\n"),
         {},
         limits::kAccount,
         "-03|x"},
        {"GBK body", body(200, "\xD6\xD0\xCE\xC4"), {}, limits::kAccount, QString::fromUtf8("中文")},
        {"404", body(404, "000"), {}, limits::kAccount, ""},
        {"500", body(500, "000"), {}, limits::kAccount, ""},
        {"dropped", dropped, {}, limits::kAccount, ""},
        {"stalled past the time-out", stalled, {}, HttpLimits{2000, 300, limits::kAccount.maxReplyBytes}, ""},
        {"refused",
         std::nullopt,
         QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort()),
         limits::kAccount,
         ""},
        {"no such host",
         std::nullopt,
         QStringLiteral("http://no-such-host.invalid/x"),
         limits::kAccount,
         ""},
    };
    for (const auto& c : cases) {
        if (c.reply)
            sim.script("/page.asp", *c.reply);
        const QString url = c.url.isEmpty() ? base() + "/page.asp" : c.url;
        EXPECT_EQ(HttpGetText(url, c.limits), c.expected) << c.name;
    }
}

TEST_F(HttpTest, GetCarriesEncodedValuesExactly) {
    sim.script("/webservice/public/softlogin.asp", body(200, "-03"));
    HttpGetText(QueryUrl(base(), "/webservice/public/softlogin.asp")
                    .add("uid", QString::fromUtf8("张三"))
                    .add("pwd", "a&b=c d#+%?")
                    .add("proid", "1"));
    const auto requests = requestsTo("/webservice/public/softlogin.asp");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].query, "uid=%D5%C5%C8%FD&pwd=a%26b%3Dc%20d%23%2B%25%3F&proid=1");
    const std::vector<sim::NamedValue> expected{{"uid", "张三"}, {"pwd", "a&b=c d#+%?"}, {"proid", "1"}};
    EXPECT_EQ(requests[0].params, expected);
}

TEST_F(HttpTest, PostSendsTheFormBodyAsBuiltAndReadsTheReply) {
    sim.script("/form.asp", body(200, "000\xD6\xD0"));
    const QString reply = HttpPostForm(base() + "/form.asp",
                                       QStringList{"id=" + UrlEncode(u"demo"),
                                                   "content=" + UrlEncode(QString::fromUtf8("你好 ~")),
                                                   "ac=plorix"});
    EXPECT_EQ(reply, QString::fromUtf8("000中"));
    const auto requests = requestsTo("/form.asp");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "id=demo&content=%C4%E3%BA%C3%20%7E&ac=plorix");
    bool formType = false;
    for (const auto& header : requests[0].headers)
        formType |= header.name == "Content-Type" && header.value == "application/x-www-form-urlencoded";
    EXPECT_TRUE(formType);
}

TEST_F(HttpTest, PostRaisesOnErrorStatusAndOnEveryNetworkFailure) {
    ScriptedReply dropped;
    dropped.drop = true;
    ScriptedReply stalled = body(200, "000");
    stalled.delay = 3s;
    sim.script("/form.asp", body(500, "000"));
    sim.script("/form.asp", dropped);
    sim.script("/form.asp", stalled);
    EXPECT_THROW(HttpPostForm(base() + "/form.asp", {"a=1"}), HttpError);
    EXPECT_THROW(HttpPostForm(base() + "/form.asp", {"a=1"}), HttpError);
    EXPECT_THROW(HttpPostForm(base() + "/form.asp", {"a=1"}, HttpLimits{2000, 300, limits::kAccount.maxReplyBytes}), HttpError);
    EXPECT_THROW(HttpPostForm(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort()), {"a=1"}), HttpError);
    // An empty list posts an empty body.
    HttpPostForm(base() + "/sys_port/Gateway/mo.asp?uid=demo&pwd=demo2026", {});
    EXPECT_EQ(requestsTo("/sys_port/Gateway/mo.asp").at(0).body, "");
}

// Each kind of exchange reads a reply up to its limit; one byte more fails the exchange like a
// dropped connection, with a reason that says why.
TEST_F(HttpTest, ReadsRepliesUpToTheLimitOfTheirKind) {
    const struct {
        const char* name;
        HttpLimits limits;
    } kinds[] = {{"account", limits::kAccount},
                 {"gateway", limits::kGateway},
                 {"reply box", limits::kReplies},
                 {"pages", limits::kPages},
                 {"soap", limits::kSoap}};
    for (const auto& kind : kinds) {
        const qint64 limit = kind.limits.maxReplyBytes;
        for (const qint64 size : {limit - 1, limit, limit + 1}) {
            SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(size));
            sim.script("/page.asp", body(200, std::string(static_cast<size_t>(size), '7')));
            HttpRequest request;
            request.url = base() + "/page.asp";
            request.limits = kind.limits;
            if (size <= limit) {
                EXPECT_EQ(httpExchange(request).body.size(), size);
                continue;
            }
            try {
                httpExchange(request);
                ADD_FAILURE() << "a reply over the limit was read";
            } catch (const HttpError& error) {
                EXPECT_TRUE(error.reason().contains("too large")) << error.reason().toStdString();
            }
        }
    }
    // The text helpers fail as they do for any failed exchange.
    const HttpLimits small{2000, 5000, 4};
    sim.script("/page.asp", body(200, "00000"));
    EXPECT_EQ(HttpGetText(base() + "/page.asp", small), QString());
    sim.script("/form.asp", body(200, "00000"));
    EXPECT_THROW(HttpPostForm(base() + "/form.asp", {"a=1"}, small), HttpError);
}

// A test run caps every exchange's total time-out through the environment; the shorter of the
// cap and the exchange's own time-out holds.
TEST_F(HttpTest, TimeoutCapShortensButNeverLengthensAnExchange) {
    const struct {
        const char* name;
        const char* cap;
        HttpLimits limits;
        bool answered;
    } cases[] = {
        {"cap under the exchange's own time-out and the delay", "300", limits::kAccount, false},
        {"cap over the delay", "5000", limits::kAccount, true},
        {"cap over the exchange's own shorter time-out",
         "60000",
         HttpLimits{2000, 300, limits::kAccount.maxReplyBytes},
         false},
        {"cap of nothing", "0", limits::kAccount, true},
    };
    const QByteArray previous = qgetenv("PARLUMO_HTTP_TIMEOUT_CAP_MS");
    for (const auto& c : cases) {
        ScriptedReply slow = body(200, "000");
        slow.delay = 1s;
        sim.script("/slow.asp", slow);
        qputenv("PARLUMO_HTTP_TIMEOUT_CAP_MS", c.cap);
        EXPECT_EQ(HttpGetText(base() + "/slow.asp", c.limits), c.answered ? "000" : "") << c.name;
    }
    qputenv("PARLUMO_HTTP_TIMEOUT_CAP_MS", previous);
}

TEST_F(HttpTest, CancelledExchangeEndsAtOnce) {
    ScriptedReply stalled = body(200, "000");
    stalled.delay = 5s;
    sim.script("/slow.asp", stalled);
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(HttpGetText(base() + "/slow.asp", limits::kAccount, &cancelled), QString());
}

} // namespace
} // namespace parlumo
