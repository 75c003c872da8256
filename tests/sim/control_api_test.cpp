// The control interface under /__sim/, as end-to-end tests script the real binary.
#include "sim_client.h"

#include "sim/json.h"

namespace parlumo::sim::test {
namespace {

class ControlApiTest : public SimTest {
protected:
    Json call(const std::string& method,
              const std::string& target,
              const std::string& body = {},
              int expectedStatus = 200) const {
        httplib::Client c = client();
        httplib::Result result = method == "GET"    ? c.Get(target)
                                 : method == "POST" ? c.Post(target, body, "application/json")
                                                    : c.Delete(target);
        if (!result) {
            ADD_FAILURE() << method << " " << target << ": " << httplib::to_string(result.error());
            return {};
        }
        EXPECT_EQ(result->status, expectedStatus) << result->body;
        EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
        return Json::parse(result->body);
    }
};

TEST_F(ControlApiTest, AccountsAreCreatedPartiallyAndReadBack) {
    const Json created =
        call("POST",
             "/__sim/accounts",
             R"({"id":"shop","password":"Shop2026x","balance":"12.5","smsPrice":0.1,"canSchedule":true})");
    EXPECT_EQ(created.find("mmsPrice")->asString(), "0.25");
    EXPECT_EQ(get("/webservice/public/softlogin.asp?uid=shop&pwd=Shop2026x&proid=1"),
              "000|1|12.5|.1|60|.15|.2|" + sim.soapUrl() + "|.25|true");

    call("POST", "/__sim/accounts", R"({"id":"shop","balance":"3"})");
    const Json shop = call("GET", "/__sim/account?id=shop");
    EXPECT_EQ(shop.find("balance")->asString(), "3");
    EXPECT_EQ(shop.find("password")->asString(), "Shop2026x");
    EXPECT_EQ(call("GET", "/__sim/accounts").find("accounts")->asArray().size(), 2u);

    EXPECT_TRUE(call("DELETE", "/__sim/account?id=shop").find("removed")->asBool());
    call("GET", "/__sim/account?id=shop", {}, 404);
}

TEST_F(ControlApiTest, SettingsSwitchTheService) {
    const Json settings =
        call("POST", "/__sim/settings", R"({"maintenance":true,"offeredVersion":"4.5.0.0"})");
    EXPECT_TRUE(settings.find("maintenance")->asBool());
    EXPECT_EQ(settings.find("replyDelayMs")->asInt(), 0);
    EXPECT_EQ(get("/webservice/public/softlogin.asp?uid=demo&pwd=demo2026&proid=1"), "-09");
    EXPECT_EQ(get("/download/bexol.txt"), "[update]\r\nversion=4.5.0.0\r\n");
    EXPECT_TRUE(call("GET", "/__sim/settings").find("maintenance")->asBool());
}

TEST_F(ControlApiTest, ScriptsAndRequestLog) {
    const Json queued = call("POST",
                             "/__sim/script",
                             R"({"path":"/softnews.htm","replies":[{"body":"你好"},{"drop":true},)"
                             R"({"reset":true},{"bodyBase64":"AAE=","status":202}]})");
    EXPECT_EQ(queued.find("queued")->asInt(), 4);
    EXPECT_EQ(get("/softnews.htm"), "\xC4\xE3\xBA\xC3");
    EXPECT_FALSE(client().Get("/softnews.htm?x=%20y"));
    EXPECT_FALSE(client().Get("/softnews.htm"));
    httplib::Result raw = client().Get("/softnews.htm");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->status, 202);
    EXPECT_EQ(raw->body, std::string("\x00\x01", 2));
    get("/download/bexol.txt");

    const Json log = call("GET", "/__sim/requests?path=/SOFTNEWS.HTM");
    const Json::Array& requests = log.find("requests")->asArray();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].find("query")->asString(), "x=%20y");
    EXPECT_EQ(requests[1].find("status")->asInt(), 0);
    EXPECT_EQ(requests[1].find("params")->asArray()[0].find("value")->asString(), " y");
    EXPECT_TRUE(requests[1].find("soap")->isNull());

    call("DELETE", "/__sim/requests");
    EXPECT_TRUE(call("GET", "/__sim/requests").find("requests")->asArray().empty());
}

TEST_F(ControlApiTest, SoapCallsAreReadBackWithParameters) {
    soap("GetUserInfo", {{"uid", "demo"}, {"pwd", "demo2026"}});
    const Json requests = call("GET", "/__sim/requests");
    const Json* soapPart = requests.find("requests")->asArray().at(0).find("soap");
    EXPECT_EQ(soapPart->find("operation")->asString(), "GetUserInfo");
    const Json::Array& params = soapPart->find("params")->asArray();
    ASSERT_EQ(params.size(), 2u);
    EXPECT_EQ(params[1].find("name")->asString(), "pwd");
    EXPECT_EQ(params[1].find("namespace")->asString(), "http://tempuri.org/");
    EXPECT_EQ(params[1].find("value")->asString(), "demo2026");
}

TEST_F(ControlApiTest, RepliesAndReset) {
    call("POST",
         "/__sim/replies",
         R"({"account":"demo","number":"13800000001","text":"好","time":"2026-01-02 03:04:05"})");
    EXPECT_EQ(postForm("/sys_port/Gateway/mo.asp?id=demo&pwd=demo2026", ""),
              "13800000001|\xBA\xC3|10690888|2026-01-02 03:04:05<br>");

    call("POST", "/__sim/accounts", R"({"id":"shop","password":"Shop2026x"})");
    call("POST", "/__sim/settings", R"({"maintenance":true})");
    call("POST", "/__sim/reset");
    EXPECT_EQ(sim.accounts().size(), 1u);
    EXPECT_EQ(get("/webservice/public/remoney.asp?uid=demo&pwd=demo2026&proid=1"), "1000");
    EXPECT_EQ(call("GET", "/__sim/info").find("soapUrl")->asString(), sim.soapUrl());
}

TEST_F(ControlApiTest, MistakesAreReported) {
    EXPECT_NE(call("POST", "/__sim/settings", "{maintenance:1}", 400).find("error"), nullptr);
    call("POST", "/__sim/accounts", R"({"id":"demo","balance":"1.23456"})", 400);
    call("POST", "/__sim/script", R"({"path":"/x","replies":[{"body":"a","charset":"latin1"}]})", 400);
    call("GET", "/__sim/nothing", {}, 404);
    EXPECT_EQ(balance(), "1000");
}

} // namespace
} // namespace parlumo::sim::test
