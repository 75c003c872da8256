// Every page and operation of the service with its main replies and codes.
#include "sim_client.h"

#include <regex>

namespace parlumo::sim::test {
namespace {

enum class Kind { Get, PostForm, Soap };

struct EndpointCase {
    const char* name;
    Kind kind;
    std::string target; // GET target, POST path, or SOAP operation
    std::string form;   // urlencoded POST body
    Fields soapParams;
    void (*setup)(Simulator&);
    int status;
    // Expected body of a 200 answer: "{soap}" stands for the simulator's SOAP
    // address; "<task>" alone means a task number of eight digits.
    std::string expected;
};

void maintenance(Simulator& sim) {
    Settings settings = sim.settings();
    settings.maintenance = true;
    sim.setSettings(settings);
}

void balanceOf(Simulator& sim, const char* amount) {
    Account demo = *sim.account(kDemoAccountId);
    demo.balance = *Money::parse(amount);
    sim.putAccount(demo);
}

void newVersion(Simulator& sim) {
    Settings settings = sim.settings();
    settings.offeredVersion = "4.4.0.1";
    sim.setSettings(settings);
}

const std::string kLogin = "/webservice/public/softlogin.asp?";
const std::string kGateway = "/sys_port/gateway/index.asp";
const std::string kSms = "id=demo&pwd=demo2026&to=13800000001,13800000002&content=%C4%E3%BA%C3";
const std::string kRegister = "/webservice/public/softreg.asp?";
const std::string kCall = "/voice_service/superphone.asp?id=demo&pwd=demo2026&from_no=";
const Fields kDemo = {{"uid", "demo"}, {"pwd", "demo2026"}};

Fields with(Fields fields, const Fields& more) {
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

const Fields kMms = {{"mobno", "13800000001,13800000002"}, {"title", "T"}, {"content", "hello"}};
const Fields kVoice = {{"vto", "13800000001,13800000002"}, {"vtxt", "你好你好你好"}};
const Fields kVoiceTail = {{"FileBytes", ""}, {"svrno", ""}, {"str_time", ""}, {"end_time", ""}};
const Fields kFax = {{"faxno", "01012345678,123,02087654321"}, {"men", "王"}, {"title", "报价"}};

const std::vector<EndpointCase> kCases = {
    {"LoginAccepted",
     Kind::Get,
     kLogin + "uid=demo&pwd=demo2026&proid=1",
     {},
     {},
     nullptr,
     200,
     "000|1|1000|.08|60|.15|.2|{soap}|.25|true"},
    {"LoginPathCaseIgnored",
     Kind::Get,
     "/WebService/Public/SoftLogin.asp?uid=demo&pwd=demo2026&proid=1",
     {},
     {},
     nullptr,
     200,
     "000|1|1000|.08|60|.15|.2|{soap}|.25|true"},
    {"LoginWrongPassword", Kind::Get, kLogin + "uid=demo&pwd=demo2025&proid=1", {}, {}, nullptr, 200, "-03"},
    {"LoginUnknownUser", Kind::Get, kLogin + "uid=nobody&pwd=demo2026&proid=1", {}, {}, nullptr, 200, "-02"},
    {"LoginEmptyPassword", Kind::Get, kLogin + "uid=demo&pwd=&proid=1", {}, {}, nullptr, 200, "-04"},
    {"LoginMaintenance",
     Kind::Get,
     kLogin + "uid=demo&pwd=demo2026&proid=1",
     {},
     {},
     maintenance,
     200,
     "-09"},

    {"Balance",
     Kind::Get,
     "/webservice/public/remoney.asp?uid=demo&pwd=demo2026&proid=1",
     {},
     {},
     nullptr,
     200,
     "1000"},
    {"BalanceWrongPassword",
     Kind::Get,
     "/webservice/public/remoney.asp?uid=demo&pwd=x&proid=1",
     {},
     {},
     nullptr,
     200,
     "-03"},

    {"PasswordChanged",
     Kind::Get,
     "/webservice/public/editpwd.asp?uid=demo&pwd=demo2026&newpwd=Better2027",
     {},
     {},
     nullptr,
     200,
     "000"},
    {"PasswordEmpty",
     Kind::Get,
     "/webservice/public/editpwd.asp?uid=demo&pwd=demo2026&newpwd=",
     {},
     {},
     nullptr,
     200,
     "-04"},
    {"PasswordTooSimple",
     Kind::Get,
     "/webservice/public/editpwd.asp?uid=demo&pwd=demo2026&newpwd=123456",
     {},
     {},
     nullptr,
     200,
     "-07"},
    {"PasswordOldWrong",
     Kind::Get,
     "/webservice/public/editpwd.asp?uid=demo&pwd=demo&newpwd=Better2027",
     {},
     {},
     nullptr,
     200,
     "-03"},

    {"Registered",
     Kind::Get,
     kRegister + "uid=newuser&pwd=Abc12345x&proid=1&mob=13912345678&coname=&linkman=%D5%C5%C8%FD&tel=&email="
                 "&agentcode=OVARN&add=%20",
     {},
     {},
     nullptr,
     200,
     "000"},
    {"RegisterTaken",
     Kind::Get,
     kRegister +
         "uid=demo&pwd=Abc12345x&proid=1&mob=13912345678&coname=&linkman=Li&tel=&email=&agentcode=&add=%20",
     {},
     {},
     nullptr,
     200,
     "-01"},
    {"RegisterTooSimple",
     Kind::Get,
     kRegister +
         "uid=newuser&pwd=aaaaaa&proid=1&mob=13912345678&coname=&linkman=Li&tel=&email=&agentcode=&add=",
     {},
     {},
     nullptr,
     200,
     "-07"},
    {"RegisterWithoutContact",
     Kind::Get,
     kRegister +
         "uid=newuser&pwd=Abc12345x&proid=1&mob=13912345678&coname=&linkman=&tel=&email=&agentcode=&add=",
     {},
     {},
     nullptr,
     200,
     "-04"},
    {"RegisterShortMobile",
     Kind::Get,
     kRegister +
         "uid=newuser&pwd=Abc12345x&proid=1&mob=1391234567&coname=&linkman=Li&tel=&email=&agentcode=&add=",
     {},
     {},
     nullptr,
     200,
     "-04"},
    {"RegisterMaintenance",
     Kind::Get,
     kRegister +
         "uid=newuser&pwd=Abc12345x&proid=1&mob=13912345678&coname=&linkman=Li&tel=&email=&agentcode=&add=",
     {},
     {},
     maintenance,
     200,
     "-09"},

    {"SmsAccepted", Kind::PostForm, kGateway, kSms + "&time=&ac=plorix", {}, nullptr, 200, "000"},
    {"SmsScheduled",
     Kind::PostForm,
     kGateway,
     kSms + "&time=2026-03-01%2009%3A05%3A00&ac=plorix",
     {},
     nullptr,
     200,
     "000"},
    {"SmsScheduleMalformed",
     Kind::PostForm,
     kGateway,
     kSms + "&time=tomorrow&ac=plorix",
     {},
     nullptr,
     200,
     "-04"},
    {"SmsBalanceShort",
     Kind::PostForm,
     kGateway,
     kSms + "&time=&ac=plorix",
     {},
     [](Simulator& sim) { balanceOf(sim, "0.15"); },
     200,
     "-01"},
    {"SmsUnknownUser",
     Kind::PostForm,
     kGateway,
     "id=nobody&pwd=x&to=13800000001&content=a&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-02"},
    {"SmsWrongPassword",
     Kind::PostForm,
     kGateway,
     "id=demo&pwd=x&to=13800000001&content=a&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-03"},
    {"SmsMalformedNumber",
     Kind::PostForm,
     kGateway,
     "id=demo&pwd=demo2026&to=13800000001,1380000000x&content=a&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-04"},
    {"SmsNoNumbers",
     Kind::PostForm,
     kGateway,
     "id=demo&pwd=demo2026&to=&content=a&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-04"},
    {"SmsNoContent",
     Kind::PostForm,
     kGateway,
     "id=demo&pwd=demo2026&to=13800000001&content=&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-04"},
    {"SmsForbiddenWord",
     Kind::PostForm,
     kGateway,
     "id=demo&pwd=demo2026&to=13800000001&content=%B4%FA%BF%AA%B7%A2%C6%B1&time=&ac=plorix",
     {},
     nullptr,
     200,
     "-07"},
    {"SmsMaintenance", Kind::PostForm, kGateway, kSms + "&time=&ac=plorix", {}, maintenance, 200, "-09"},

    {"ReplyBoxEmpty",
     Kind::PostForm,
     "/sys_port/Gateway/mo.asp?id=demo&pwd=demo2026",
     "",
     {},
     nullptr,
     200,
     ""},
    {"ReplyBoxWrongPassword",
     Kind::PostForm,
     "/sys_port/Gateway/mo.asp?id=demo&pwd=x",
     "",
     {},
     nullptr,
     200,
     "-03"},

    {"VersionFile",
     Kind::Get,
     "/download/bexol.txt",
     {},
     {},
     nullptr,
     200,
     "[update]\r\nversion=4.4.0.0\r\n"},
    {"VersionOffered",
     Kind::Get,
     "/download/bexol.txt",
     {},
     {},
     newVersion,
     200,
     "[update]\r\nversion=4.4.0.1\r\n"},

    {"CallAccepted",
     Kind::Get,
     kCall + "008613800000001&to_no=008613900000002",
     {},
     {},
     nullptr,
     200,
     "<task>"},
    {"CallBalanceUnderTen",
     Kind::Get,
     kCall + "008613800000001&to_no=008613900000002",
     {},
     {},
     [](Simulator& sim) { balanceOf(sim, "9.99"); },
     200,
     "-01"},
    {"CallNumberShort", Kind::Get, kCall + "0086&to_no=008613900000002", {}, {}, nullptr, 200, "-04"},
    {"CallNumberNotDigits",
     Kind::Get,
     kCall + "0086138000%23&to_no=008613900000002",
     {},
     {},
     nullptr,
     200,
     "-04"},

    {"VoiceProgressUnknownTask",
     Kind::Get,
     "/voice_service/vlog.asp?uid=demo&pwd=demo2026&snum=99999999&o=x",
     {},
     {},
     nullptr,
     200,
     "-04"},
    {"FaxProgressWrongPassword",
     Kind::Get,
     "/faxservice/faxlog.asp?uid=demo&pwd=x&snum=99999999&o=x",
     {},
     {},
     nullptr,
     200,
     "-03"},

    {"GetUserInfo", Kind::Soap, "GetUserInfo", {}, kDemo, nullptr, 200, "000/1/1000/0.08/60"},
    {"GetUserInfoWrongPassword",
     Kind::Soap,
     "GetUserInfo",
     {},
     {{"uid", "demo"}, {"pwd", "x"}},
     nullptr,
     200,
     "-03"},
    {"GetUserInfoMaintenance", Kind::Soap, "GetUserInfo", {}, kDemo, maintenance, 200, "-09"},

    {"SendMmsAccepted",
     Kind::Soap,
     "SendMMS",
     {},
     with(with(kDemo, kMms), {{"Bytes", "R0lGODlh"}, {"mmsFileName", "a.gif"}}),
     nullptr,
     200,
     "<task>"},
    {"SendMmsTextOnly",
     Kind::Soap,
     "SendMMS",
     {},
     with(with(kDemo, kMms), {{"Bytes", ""}, {"mmsFileName", ""}}),
     nullptr,
     200,
     "<task>"},
    {"SendMmsNoTitle",
     Kind::Soap,
     "SendMMS",
     {},
     with(kDemo,
          {{"mobno", "13800000001"}, {"title", ""}, {"content", "x"}, {"Bytes", ""}, {"mmsFileName", ""}}),
     nullptr,
     200,
     "-04"},
    {"SendMmsEmptyNumberBetween",
     Kind::Soap,
     "SendMMS",
     {},
     with(kDemo,
          {{"mobno", "13800000001,,13800000002"},
           {"title", "T"},
           {"content", "x"},
           {"Bytes", ""},
           {"mmsFileName", ""}}),
     nullptr,
     200,
     "-04"},
    {"SendMmsBalanceShort",
     Kind::Soap,
     "SendMMS",
     {},
     with(with(kDemo, kMms), {{"Bytes", ""}, {"mmsFileName", ""}}),
     [](Simulator& sim) { balanceOf(sim, "0.49"); },
     200,
     "-01"},

    {"SendVoiceAccepted",
     Kind::Soap,
     "SendVoice",
     {},
     with(with(with(kDemo, kVoice), {{"mode", "1"}}), kVoiceTail),
     nullptr,
     200,
     "<task>"},
    {"SendVoiceRecording",
     Kind::Soap,
     "SendVoice",
     {},
     with(with(kDemo, {{"vto", "13800000001"}, {"vtxt", "NOTXT"}, {"mode", "3"}, {"FileBytes", "UklGRg=="}}),
          {{"svrno", "01088886666"}, {"str_time", ""}, {"end_time", ""}}),
     nullptr,
     200,
     "<task>"},
    {"SendVoiceRecordingMissing",
     Kind::Soap,
     "SendVoice",
     {},
     with(with(with(kDemo, kVoice), {{"mode", "3"}}), kVoiceTail),
     nullptr,
     200,
     "-04"},
    {"SendVoiceUnknownMode",
     Kind::Soap,
     "SendVoice",
     {},
     with(with(with(kDemo, kVoice), {{"mode", "2"}}), kVoiceTail),
     nullptr,
     200,
     "-04"},
    {"SendVoiceBalanceShort",
     Kind::Soap,
     "SendVoice",
     {},
     with(with(with(kDemo, kVoice), {{"mode", "1"}}), kVoiceTail),
     [](Simulator& sim) { balanceOf(sim, "0.29"); },
     200,
     "-01"},

    {"SendFaxAccepted",
     Kind::Soap,
     "SendFax",
     {},
     with(with(kDemo, kFax), {{"Bytes", "JVBERi0="}, {"FileName", "a.pdf"}}),
     nullptr,
     200,
     "<task>"},
    {"SendFaxNoDocument",
     Kind::Soap,
     "SendFax",
     {},
     with(with(kDemo, kFax), {{"Bytes", ""}, {"FileName", "a.pdf"}}),
     nullptr,
     200,
     "-04"},
    {"SendFaxUnknownUser",
     Kind::Soap,
     "SendFax",
     {},
     with(with({{"uid", "nobody"}, {"pwd", "x"}}, kFax), {{"Bytes", "JVBERi0="}, {"FileName", "a.pdf"}}),
     nullptr,
     200,
     "-02"},

    {"UnknownPage", Kind::Get, "/nowhere.asp", {}, {}, nullptr, 404, ""},
};

void PrintTo(const EndpointCase& c, std::ostream* os) {
    *os << c.name;
}

class EndpointTest : public SimTest, public ::testing::WithParamInterface<EndpointCase> {};

TEST_P(EndpointTest, Answers) {
    const EndpointCase& c = GetParam();
    if (c.setup != nullptr)
        c.setup(sim);

    const httplib::Result result = c.kind == Kind::Get ? client().Get(c.target)
                                   : c.kind == Kind::PostForm
                                       ? client().Post(c.target, c.form, "application/x-www-form-urlencoded")
                                       : postSoap(c.target, soapEnvelope(c.target, c.soapParams));
    ASSERT_TRUE(result) << httplib::to_string(result.error());
    ASSERT_EQ(result->status, c.status) << result->body;
    if (c.status != 200)
        return;
    const std::string body = c.kind == Kind::Soap ? soapResultText(c.target, result->body) : result->body;

    if (c.expected == "<task>") {
        EXPECT_TRUE(std::regex_match(body, std::regex("[0-9]{8}"))) << body;
        return;
    }
    std::string expected = c.expected;
    if (const std::size_t at = expected.find("{soap}"); at != std::string::npos)
        expected.replace(at, 6, sim.soapUrl());
    EXPECT_EQ(body, expected);
}

INSTANTIATE_TEST_SUITE_P(Service,
                         EndpointTest,
                         ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EndpointCase>& info) { return info.param.name; });

TEST_F(SimTest, NewsPageIsGbkWithLineBreakMarks) {
    Settings settings = sim.settings();
    settings.news = "欢迎<br>再见";
    sim.setSettings(settings);
    const httplib::Result result = client().Get("/softnews.htm");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "\xBB\xB6\xD3\xAD<br>\xD4\xD9\xBC\xFB");
    EXPECT_NE(result->get_header_value("Content-Type").find("GBK"), std::string::npos);
}

TEST_F(SimTest, LoginCarriesTheAccountsOwnFigures) {
    Account account = standardAccount("shop", "Shop2026x");
    account.balance = *Money::parse("123.45");
    account.smsPrice = *Money::parse("0.1");
    account.maxSmsChars = 0;
    account.faxPrice = *Money::parse("1.5");
    account.serviceUrl = "http://127.0.0.1:1/other/Service.asmx";
    sim.putAccount(account);
    EXPECT_EQ(get("/webservice/public/softlogin.asp?uid=shop&pwd=Shop2026x&proid=1"),
              "000|1|123.45|.1||.15|1.5|http://127.0.0.1:1/other/Service.asmx|.25|false");
    EXPECT_EQ(soap("GetUserInfo", {{"uid", "shop"}, {"pwd", "Shop2026x"}}), "000/1/123.45/0.1/");
}

TEST_F(SimTest, RegisteredAccountCanLogInWithWhatItGave) {
    ASSERT_EQ(
        get("/webservice/public/softreg.asp?uid=%D5%C5%C8%FD01&pwd=Abc12345x&proid=1&mob=13912345678"
            "&coname=Acme%26Co&linkman=%D5%C5%C8%FD&tel=010-1234&email=a%40b.cn&agentcode=OVARN&add=%20"),
        "000");
    const std::optional<Account> account = sim.account("张三01");
    ASSERT_TRUE(account);
    EXPECT_EQ(account->contact, "张三");
    EXPECT_EQ(account->company, "Acme&Co");
    EXPECT_EQ(account->email, "a@b.cn");
    EXPECT_EQ(account->address, "");
    EXPECT_EQ(get("/webservice/public/softlogin.asp?uid=%D5%C5%C8%FD01&pwd=Abc12345x&proid=1").substr(0, 4),
              "000|");
}

TEST_F(SimTest, ChangedPasswordReplacesTheOldOne) {
    ASSERT_EQ(get("/webservice/public/editpwd.asp?uid=demo&pwd=demo2026&newpwd=Better2027"), "000");
    EXPECT_EQ(get("/webservice/public/remoney.asp?uid=demo&pwd=demo2026&proid=1"), "-03");
    EXPECT_EQ(get("/webservice/public/remoney.asp?uid=demo&pwd=Better2027&proid=1"), "1000");
}

} // namespace
} // namespace parlumo::sim::test
