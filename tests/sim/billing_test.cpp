// What the service charges, in exact decimals.
#include "sim_client.h"

#include <functional>

namespace parlumo::sim::test {
namespace {

TEST(Money, ReadsAndWritesExactDecimals) {
    const std::pair<const char*, const char*> readable[] = {{"0.08", "0.08"},
                                                            {".08", "0.08"},
                                                            {"1000", "1000"},
                                                            {"99.70", "99.7"},
                                                            {"-2.5", "-2.5"},
                                                            {"0.0001", "0.0001"}};
    for (const auto& [text, shortest] : readable) {
        const std::optional<Money> money = Money::parse(text);
        ASSERT_TRUE(money) << text;
        EXPECT_EQ(money->toString(), shortest) << text;
    }
    for (const char* text : {"", ".", "1.", "1.23456", "abc", "1e3", "--1", "1,5"})
        EXPECT_FALSE(Money::parse(text)) << text;
    EXPECT_EQ((*Money::parse("0.1") * 3).toString(), "0.3");
    EXPECT_EQ(Money::parse("0.25")->withoutLeadingZero(), ".25");
    EXPECT_EQ(Money::parse("1.5")->withoutLeadingZero(), "1.5");
}

struct PartsCase {
    int maxSmsChars;
    std::size_t length;
    bool chinese;
    const char* balanceAfter; // from 1000, two numbers at 0.08 per part
};

void PrintTo(const PartsCase& c, std::ostream* os) {
    *os << c.length << (c.chinese ? " Chinese" : " Latin") << " characters, " << c.maxSmsChars << " per SMS";
}

class SmsPartsTest : public SimTest, public ::testing::WithParamInterface<PartsCase> {};

TEST_P(SmsPartsTest, ChargesPriceTimesNumbersTimesParts) {
    const PartsCase& c = GetParam();
    Account demo = *sim.account(kDemoAccountId);
    demo.maxSmsChars = c.maxSmsChars;
    sim.putAccount(demo);
    std::string content;
    for (std::size_t i = 0; i < c.length; ++i)
        content += c.chinese ? "%BA%C3" : "a";
    ASSERT_EQ(
        postForm("/sys_port/gateway/index.asp",
                 "id=demo&pwd=demo2026&to=13800000001,013812345678&content=" + content + "&time=&ac=plorix"),
        "000");
    EXPECT_EQ(balance(), c.balanceAfter);
}

INSTANTIATE_TEST_SUITE_P(Billing,
                         SmsPartsTest,
                         ::testing::Values(PartsCase{60, 1, false, "999.84"},
                                           PartsCase{60, 60, false, "999.84"},
                                           PartsCase{60, 61, false, "999.68"},
                                           PartsCase{60, 61, true, "999.68"},
                                           PartsCase{70, 70, true, "999.84"},
                                           PartsCase{70, 71, false, "999.68"},
                                           PartsCase{70, 135, false, "999.52"},
                                           PartsCase{0, 61, false, "999.68"}));

TEST_F(SimTest, BalanceEqualToTheCostIsEnough) {
    Account demo = *sim.account(kDemoAccountId);
    demo.balance = *Money::parse("0.3");
    demo.smsPrice = *Money::parse("0.1");
    sim.putAccount(demo);
    const std::string form =
        "id=demo&pwd=demo2026&to=13800000001,13800000002,13800000003&content=x&time=&ac=plorix";
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp", form), "000");
    EXPECT_EQ(balance(), "0");
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp", form), "-01");
    EXPECT_EQ(balance(), "0");
}

TEST_F(SimTest, MediaTasksChargeTheirPricePerNumber) {
    const Fields demo = {{"uid", "demo"}, {"pwd", "demo2026"}};
    const auto call = [&](const std::string& operation, Fields params) {
        params.insert(params.begin(), demo.begin(), demo.end());
        return soap(operation, params);
    };
    const std::vector<std::tuple<const char*, std::function<std::string()>, const char*>> cases = {
        {"MMS to three numbers at 0.25",
         [&] {
             return call("SendMMS",
                         {{"mobno", "13800000001,13800000002,13800000003"},
                          {"title", "t"},
                          {"content", "x"},
                          {"Bytes", ""},
                          {"mmsFileName", ""}});
         },
         "999.25"},
        {"voice to three numbers and a trailing comma at 0.15",
         [&] {
             return call("SendVoice",
                         {{"vto", "13800000001,13800000002,01088886666,"},
                          {"vtxt", "hello"},
                          {"mode", "1"},
                          {"FileBytes", ""},
                          {"svrno", ""},
                          {"str_time", ""},
                          {"end_time", ""}});
         },
         "999.55"},
        {"fax to two numbers, one with an extension, at 0.2",
         [&] {
             return call("SendFax",
                         {{"faxno", "01012345678,123,02087654321"},
                          {"men", ""},
                          {"title", ""},
                          {"Bytes", "JVBERi0="},
                          {"FileName", "a.pdf"}});
         },
         "999.6"},
        {"direct call of 65 seconds billed as two minutes at 0.15",
         [&] {
             return get(
                 "/voice_service/superphone.asp?id=demo&pwd=demo2026&from_no=01012345678&to_no=13800000001");
         },
         "999.7"},
    };
    for (const auto& [what, send, balanceAfter] : cases) {
        SCOPED_TRACE(what);
        Account account = *sim.account(kDemoAccountId);
        account.balance = *Money::parse("1000");
        sim.putAccount(account);
        EXPECT_EQ(send().size(), 8u);
        EXPECT_EQ(balance(), balanceAfter);
    }
}

TEST_F(SimTest, RefusedSendsChargeNothing) {
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp",
                       "id=demo&pwd=demo2026&to=13800000001&content=%B7%A2%C6%B1&time=&ac=plorix"),
              "-07");
    EXPECT_EQ(soap("SendFax",
                   {{"uid", "demo"},
                    {"pwd", "demo2026"},
                    {"faxno", "12"},
                    {"Bytes", "JVBERi0="},
                    {"FileName", "a.pdf"}}),
              "-04");
    EXPECT_EQ(balance(), "1000");
}

TEST_F(SimTest, GatewayTakesAFullBatchOfFiveThousand) {
    std::string numbers;
    for (int i = 0; i < 5000; ++i) {
        if (i > 0)
            numbers += ',';
        numbers += std::to_string(13800000000LL + i);
    }
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp",
                       "id=demo&pwd=demo2026&to=" + numbers + "&content=hi&time=&ac=plorix"),
              "000");
    EXPECT_EQ(balance(), "600");
    EXPECT_EQ(postForm("/sys_port/gateway/index.asp",
                       "id=demo&pwd=demo2026&to=" + numbers + ",13900000000&content=hi&time=&ac=plorix"),
              "-04");
}

} // namespace
} // namespace parlumo::sim::test
