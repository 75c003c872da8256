// Scripted replies: a body and/or status, a delay, a dropped or reset connection, in queue order.
#include "sim_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace parlumo::sim::test {
namespace {

ScriptedReply withBody(std::string body) {
    ScriptedReply reply;
    reply.body = std::move(body);
    return reply;
}

const std::string kSms = "id=demo&pwd=demo2026&to=13800000001&content=hi&time=&ac=plorix";

TEST_F(SimTest, ScriptedBodyReplacesTheAnswerAndItsEffects) {
    sim.script("/sys_port/gateway/index.asp", withBody("-01"));
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp", kSms), "-01");
    EXPECT_EQ(balance(), "1000");
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp", kSms), "000");
    EXPECT_EQ(balance(), "999.92");
}

TEST_F(SimTest, ScriptedRepliesAreUsedInOrderThenNormalResumes) {
    sim.script("/softnews.htm", withBody("first"));
    ScriptedReply status;
    status.status = 503;
    sim.script("/SOFTNEWS.HTM", status);
    ScriptedReply both = withBody("\xC4\xE3");
    both.status = 404;
    both.contentType = "text/plain";
    sim.script("/softnews.htm", both);

    EXPECT_EQ(get("/softnews.htm"), "first");
    httplib::Result second = client().Get("/softnews.htm");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->status, 503);
    EXPECT_EQ(second->body, "");
    httplib::Result third = client().Get("/softnews.htm");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->status, 404);
    EXPECT_EQ(third->body, "\xC4\xE3");
    EXPECT_EQ(third->get_header_value("Content-Type"), "text/plain");
    EXPECT_NE(get("/softnews.htm").find("<br>"), std::string::npos);
}

TEST_F(SimTest, ScriptedDelayThenNormalAnswer) {
    ScriptedReply delay;
    delay.delay = std::chrono::milliseconds(150);
    sim.script("/download/bexol.txt", delay);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(get("/download/bexol.txt"), "[update]\r\nversion=4.4.0.0\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
}

TEST_F(SimTest, DroppedConnectionGetsNoAnswerAndNoEffect) {
    ScriptedReply drop;
    drop.drop = true;
    sim.script("/sys_port/gateway/index.asp", drop);
    const httplib::Result dropped =
        client().Post("/sys_port/gateway/index.asp", kSms, "application/x-www-form-urlencoded");
    EXPECT_FALSE(dropped);
    EXPECT_EQ(balance(), "1000");
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp", kSms), "000");

    const std::vector<RecordedRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].status, 0);
    EXPECT_EQ(requests[0].body, kSms);
    EXPECT_EQ(requests[1].status, 200);
}

// What a raw client reads after its request: the answer's first bytes, "EOF" for a connection
// closed without an answer, "ECONNRESET" for a reset one.
std::string firstRead(int port, const std::string& request) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string outcome;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        outcome = "connect failed";
    } else if (send(fd, request.data(), request.size(), 0) != static_cast<ssize_t>(request.size())) {
        outcome = "send failed";
    } else {
        char bytes[12];
        const ssize_t n = recv(fd, bytes, sizeof bytes, 0);
        outcome = n > 0                 ? std::string(bytes, static_cast<std::size_t>(n))
                  : n == 0              ? "EOF"
                  : errno == ECONNRESET ? "ECONNRESET"
                                        : "errno " + std::to_string(errno);
    }
    close(fd);
    return outcome;
}

TEST_F(SimTest, DropClosesAndResetAbortsTheConnection) {
    const struct {
        const char* name;
        bool drop;
        bool reset;
        std::string read;
    } cases[] = {{"answered", false, false, "HTTP/1.1 200"},
                 {"drop", true, false, "EOF"},
                 {"reset", false, true, "ECONNRESET"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReply reply;
        reply.drop = c.drop;
        reply.reset = c.reset;
        sim.script("/softnews.htm", reply);
        EXPECT_EQ(firstRead(sim.port(), "GET /softnews.htm HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"),
                  c.read);
    }
    const std::vector<RecordedRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].status, 0);
    EXPECT_EQ(requests[2].status, 0);
    EXPECT_EQ(get("/softnews.htm").empty(), false) << "the server serves on after a reset";
}

TEST_F(SimTest, SoapScriptsPerOperation) {
    ScriptedReply result;
    result.soapResult = "-09";
    sim.script("/Service.asmx", result, "SendVoice");
    ScriptedReply fault;
    fault.soapFault = "database offline";
    sim.script("/Service.asmx", fault);

    const Fields voice = {{"uid", "demo"},
                          {"pwd", "demo2026"},
                          {"vto", "13800000001"},
                          {"vtxt", "hello"},
                          {"mode", "1"},
                          {"FileBytes", ""},
                          {"svrno", ""},
                          {"str_time", ""},
                          {"end_time", ""}};
    EXPECT_EQ(soap("SendVoice", voice), "-09");

    const httplib::Result faulted =
        postSoap("GetUserInfo", soapEnvelope("GetUserInfo", {{"uid", "demo"}, {"pwd", "demo2026"}}));
    ASSERT_TRUE(faulted);
    EXPECT_EQ(faulted->status, 500);
    EXPECT_NE(faulted->body.find("<faultstring>database offline</faultstring>"), std::string::npos);
    EXPECT_EQ(soap("GetUserInfo", {{"uid", "demo"}, {"pwd", "demo2026"}}), "000/1/1000/0.08/60");
    EXPECT_EQ(balance(), "1000");
}

} // namespace
} // namespace parlumo::sim::test
