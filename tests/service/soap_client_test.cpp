#include "service/soap_client.h"

#include "tests/support/sim_fixture.h"

namespace parlumo {
namespace {

using SoapClientTest = test::SimulatorTest;

std::string header(const sim::RecordedRequest& request, const std::string& name) {
    for (const auto& h : request.headers)
        if (h.name == name)
            return h.value;
    return {};
}

TEST_F(SoapClientTest, EachOperationPostsItsEnvelopeWithHeadersAndParametersInOrder) {
    Service1Soap client;
    PrepareSoapClient(client, soap());
    const QByteArray picture("\x89PNG\x00\x01\xFF", 7);
    const struct {
        const char* operation;
        std::function<QString()> call;
        std::vector<std::pair<std::string, std::string>> params;
    } cases[] = {
        {"GetUserInfo",
         [&] { return client.GetUserInfo("demo", "demo2026"); },
         {{"uid", "demo"}, {"pwd", "demo2026"}}},
        {"SendMMS",
         [&] {
             return client.SendMMS(
                 "demo", "demo2026", "13800000001", QString::fromUtf8("标题"), "hi <&>", picture, "a.png");
         },
         {{"uid", "demo"},
          {"pwd", "demo2026"},
          {"mobno", "13800000001"},
          {"title", "标题"},
          {"content", "hi <&>"},
          {"Bytes", picture.toBase64().toStdString()},
          {"mmsFileName", "a.png"}}},
        {"SendVoice",
         [&] {
             return client.SendVoice(
                 "demo", "demo2026", "13800000001", QString::fromUtf8("你好"), "1", QByteArray(), "", "", "");
         },
         {{"uid", "demo"},
          {"pwd", "demo2026"},
          {"vto", "13800000001"},
          {"vtxt", "你好"},
          {"mode", "1"},
          {"FileBytes", ""},
          {"svrno", ""},
          {"str_time", ""},
          {"end_time", ""}}},
        {"SendFax",
         [&] { return client.SendFax("demo", "demo2026", "01012345678", "Li", "doc", picture, "d.tif"); },
         {{"uid", "demo"},
          {"pwd", "demo2026"},
          {"faxno", "01012345678"},
          {"men", "Li"},
          {"title", "doc"},
          {"Bytes", picture.toBase64().toStdString()},
          {"FileName", "d.tif"}}},
    };
    for (const auto& c : cases) {
        sim.clearRequests();
        sim::ScriptedReply reply;
        reply.soapResult = "12345678";
        sim.script("/Service.asmx", reply, c.operation);
        EXPECT_EQ(c.call(), QStringLiteral("12345678")) << c.operation;
        const auto requests = requestsTo("/Service.asmx");
        ASSERT_EQ(requests.size(), 1u) << c.operation;
        const sim::RecordedRequest& r = requests[0];
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(header(r, "Content-Type"), "text/xml; charset=\"utf-8\"");
        EXPECT_EQ(header(r, "SOAPAction"), std::string("\"http://tempuri.org/") + c.operation + "\"");
        EXPECT_EQ(header(r, "User-Agent"), "Borland SOAP 1.2");
        EXPECT_EQ(r.soapOperation, c.operation);
        ASSERT_EQ(r.soapParams.size(), c.params.size()) << c.operation;
        for (size_t i = 0; i < c.params.size(); ++i) {
            EXPECT_EQ(r.soapParams[i].name, c.params[i].first) << c.operation;
            EXPECT_EQ(r.soapParams[i].namespaceUri, "http://tempuri.org/");
            EXPECT_EQ(r.soapParams[i].value, c.params[i].second) << c.operation << " " << c.params[i].first;
        }
    }
}

TEST_F(SoapClientTest, TheServiceAnswersTheDemoAccount) {
    Service1Soap client;
    EXPECT_EQ(PrepareSoapClient(client, soap()).GetUserInfo("demo", "demo2026"),
              QStringLiteral("000/1/1000/0.08/60"));
    EXPECT_EQ(client.GetUserInfo("demo", "wrong"), QStringLiteral("-03"));
}

TEST_F(SoapClientTest, FaultsAndForeignRepliesBecomeErrorsWithTheirReason) {
    Service1Soap client;
    PrepareSoapClient(client, soap());
    sim::ScriptedReply fault;
    fault.soapFault = "database offline";
    sim::ScriptedReply html;
    html.status = 200;
    html.body = "<html><body>Service Unavailable</body></html>";
    sim::ScriptedReply status;
    status.status = 503;
    status.body = "busy";
    sim::ScriptedReply dropped;
    dropped.drop = true;
    const struct {
        const char* name;
        sim::ScriptedReply reply;
        const char* reason;
    } cases[] = {{"fault", fault, "database offline"},
                 {"html", html, "GetUserInfoResponse"},
                 {"status", status, "503"},
                 {"dropped", dropped, "127.0.0.1"}};
    for (const auto& c : cases) {
        sim.script("/Service.asmx", c.reply);
        try {
            client.GetUserInfo("demo", "demo2026");
            ADD_FAILURE() << c.name;
        } catch (const Error& error) {
            EXPECT_TRUE(error.reason().contains(c.reason)) << c.name << ": " << error.what();
        }
    }
}

TEST_F(SoapClientTest, ANewEndpointTakesEffectAtTheNextCall) {
    sim::Simulator other;
    other.start(0);
    Service1Soap client;
    PrepareSoapClient(client, soap()).GetUserInfo("demo", "demo2026");
    PrepareSoapClient(client, QString::fromStdString(other.soapUrl())).GetUserInfo("demo", "demo2026");
    EXPECT_EQ(requestsTo("/Service.asmx").size(), 1u);
    EXPECT_EQ(test::requestsTo(other, "/Service.asmx").size(), 1u);
}

} // namespace
} // namespace parlumo
