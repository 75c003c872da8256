// The SOAP endpoint's handling of envelopes that are not well-formed calls.
#include "sim_client.h"

namespace parlumo::sim::test {
namespace {

const std::string kOpen =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>";
const std::string kClose = "</soap:Body></soap:Envelope>";
const std::string kUserInfo =
    "<GetUserInfo xmlns=\"http://tempuri.org/\"><uid>demo</uid><pwd>demo2026</pwd></GetUserInfo>";
const std::string kUtf8Xml = "text/xml; charset=\"utf-8\"";

struct RefusalCase {
    const char* name;
    std::string envelope;
    std::string action; // operation named in the SOAPAction header
    std::string contentType;
    int status;
    std::string faultCode; // empty: no fault expected
};

const std::vector<RefusalCase> kRefusals = {
    {"NotXml", "GetUserInfo(demo)", "GetUserInfo", kUtf8Xml, 500, "soap:Client"},
    {"UnclosedElement",
     kOpen + "<GetUserInfo xmlns=\"http://tempuri.org/\"><uid>demo</GetUserInfo>" + kClose,
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"Soap12Envelope",
     "<env:Envelope xmlns:env=\"http://www.w3.org/2003/05/soap-envelope\"><env:Body>" + kUserInfo +
         "</env:Body></env:Envelope>",
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:VersionMismatch"},
    {"NoBody",
     "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"/>",
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"DocumentType",
     "<!DOCTYPE x [<!ENTITY e \"demo\">]>" + kOpen + kUserInfo + kClose,
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"ActionOfAnotherOperation", kOpen + kUserInfo + kClose, "SendFax", kUtf8Xml, 500, "soap:Client"},
    {"OperationOutsideTheNamespace",
     kOpen + "<GetUserInfo><uid>demo</uid><pwd>demo2026</pwd></GetUserInfo>" + kClose,
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"OperationNotOffered",
     kOpen + "<TelCall xmlns=\"http://tempuri.org/\"><uid>demo</uid></TelCall>" + kClose,
     "TelCall",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"BytesNotBase64",
     kOpen +
         "<SendFax xmlns=\"http://tempuri.org/\"><uid>demo</uid><pwd>demo2026</pwd><faxno>01012345678</faxno>"
         "<Bytes>not base64!</Bytes><FileName>a.pdf</FileName></SendFax>" +
         kClose,
     "SendFax",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"NotUtf8",
     kOpen + "<GetUserInfo xmlns=\"http://tempuri.org/\"><uid>\xC4\xE3</uid><pwd>x</pwd></GetUserInfo>" +
         kClose,
     "GetUserInfo",
     kUtf8Xml,
     500,
     "soap:Client"},
    {"Soap12ContentType",
     kOpen + kUserInfo + kClose,
     "GetUserInfo",
     "application/soap+xml; charset=utf-8",
     415,
     ""},
    {"GbkCharset", kOpen + kUserInfo + kClose, "GetUserInfo", "text/xml; charset=GBK", 415, ""},
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class SoapRefusalTest : public SimTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SoapRefusalTest, IsRefused) {
    const RefusalCase& c = GetParam();
    const httplib::Headers headers = {{"SOAPAction", "\"http://tempuri.org/" + c.action + "\""}};
    const httplib::Result result = client().Post("/Service.asmx", headers, c.envelope, c.contentType);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status) << result->body;
    if (!c.faultCode.empty()) {
        EXPECT_NE(result->body.find("<faultcode>" + c.faultCode + "</faultcode>"), std::string::npos)
            << result->body;
    }
    EXPECT_EQ(balance(), "1000");
}

INSTANTIATE_TEST_SUITE_P(Soap,
                         SoapRefusalTest,
                         ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST_F(SimTest, SoapParametersOutsideTheNamespaceAreNotSeen) {
    const std::string envelope =
        kOpen +
        "<p:GetUserInfo xmlns:p=\"http://tempuri.org/\"><uid>demo</uid><pwd>demo2026</pwd>"
        "</p:GetUserInfo>" +
        kClose;
    const httplib::Result result = postSoap("GetUserInfo", envelope);
    ASSERT_TRUE(result);
    EXPECT_EQ(soapResultText("GetUserInfo", result->body), "-04");
}

TEST_F(SimTest, SoapAcceptsUnquotedActionAndHeaderElement) {
    const std::string envelope = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                                 "<soap:Header/><soap:Body>" +
                                 kUserInfo + kClose;
    const httplib::Headers headers = {{"SOAPAction", "http://tempuri.org/GetUserInfo"}};
    const httplib::Result result = client().Post("/service.asmx", headers, envelope, "text/xml");
    ASSERT_TRUE(result);
    EXPECT_EQ(soapResultText("GetUserInfo", result->body), "000/1/1000/0.08/60");
}

} // namespace
} // namespace parlumo::sim::test
