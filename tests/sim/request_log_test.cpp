// The read-back of requests: raw as they arrived, and decoded for convenience.
#include "sim_client.h"

namespace parlumo::sim::test {
namespace {

std::string header(const RecordedRequest& request, const std::string& name) {
    for (const NamedValue& h : request.headers)
        if (h.name == name)
            return h.value;
    return "(absent)";
}

TEST_F(SimTest, GetIsRecordedRawAndDecoded) {
    get("/webservice/public/remoney.asp?uid=demo&pwd=a%20b%26c%2B%3D%23&proid=1+x&note=%D6%D0%CE%C4");
    const std::vector<RecordedRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& r = requests[0];
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.path, "/webservice/public/remoney.asp");
    EXPECT_EQ(r.query, "uid=demo&pwd=a%20b%26c%2B%3D%23&proid=1+x&note=%D6%D0%CE%C4");
    EXPECT_EQ(
        r.params,
        (std::vector<NamedValue>{{"uid", "demo"}, {"pwd", "a b&c+=#"}, {"proid", "1 x"}, {"note", "中文"}}));
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(header(r, "Host"), "127.0.0.1:" + std::to_string(sim.port()));
}

TEST_F(SimTest, FormPostKeepsItsBodyBytes) {
    const std::string body =
        "id=demo&pwd=demo2026&to=13800000001&content=%C4%E3%BA%C3%7E%20a.b_c-d&time=&ac=plorix";
    postForm("/sys_port/gateway/index.asp", body);
    const RecordedRequest r = sim.requests().at(0);
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.query, "");
    EXPECT_EQ(r.body, body);
    EXPECT_EQ(header(r, "Content-Type"), "application/x-www-form-urlencoded");
    ASSERT_EQ(r.params.size(), 6u);
    EXPECT_EQ(r.params[3], (NamedValue{"content", "你好~ a.b_c-d"}));
    EXPECT_TRUE(r.soapOperation.empty());
}

TEST_F(SimTest, SoapCallIsRecordedWithItsParametersInOrder) {
    const std::string envelope =
        "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
        "<ns1:SendFax xmlns:ns1=\"http://tempuri.org/\"><ns1:uid>demo</ns1:uid><ns1:pwd>demo2026</ns1:pwd>"
        "<ns1:faxno>01012345678</ns1:faxno><ns1:men>A &amp; B</ns1:men><title>stray</title>"
        "<ns1:Bytes>JVBE\nRi0=</ns1:Bytes><ns1:FileName><![CDATA[报价<1>.pdf]]></ns1:FileName>"
        "</ns1:SendFax></s:Body></s:Envelope>";
    const httplib::Result result = postSoap("SendFax", envelope);
    ASSERT_TRUE(result);
    EXPECT_EQ(soapResultText("SendFax", result->body).size(), 8u) << result->body;

    const RecordedRequest r = sim.requests().at(0);
    EXPECT_EQ(r.body, envelope);
    EXPECT_EQ(header(r, "SOAPAction"), "\"http://tempuri.org/SendFax\"");
    EXPECT_EQ(r.soapOperation, "SendFax");
    const std::string ns = "http://tempuri.org/";
    EXPECT_EQ(r.soapParams,
              (std::vector<SoapParam>{{"uid", ns, "demo"},
                                      {"pwd", ns, "demo2026"},
                                      {"faxno", ns, "01012345678"},
                                      {"men", ns, "A & B"},
                                      {"title", "", "stray"},
                                      {"Bytes", ns, "JVBE\nRi0="},
                                      {"FileName", ns, "报价<1>.pdf"}}));
}

TEST_F(SimTest, LogClearsAndKeepsCounting) {
    get("/softnews.htm");
    sim.clearRequests();
    EXPECT_TRUE(sim.requests().empty());
    get("/download/bexol.txt");
    const std::vector<RecordedRequest> requests = sim.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].sequence, 2u);
    EXPECT_EQ(requests[0].path, "/download/bexol.txt");
}

} // namespace
} // namespace parlumo::sim::test
