// Scripted replies: a body and/or status, a delay, a dropped connection, in queue order.
#include "sim_client.h"

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
