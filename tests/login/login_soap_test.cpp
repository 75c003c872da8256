// The login by Enter in the password box, over SOAP GetUserInfo.
#include "main_window/main_window.h"
#include "service/http.h"
#include "tests/support/login_fixture.h"

#include <QTest>
#include <optional>

namespace parlumo {
namespace {

const QString kLoginCaption = "登录提示";
const QString kSoapConnection = "请检查您的电脑是否已连上Internet,\r\n  请稍侯重试!";

std::string soapParam(const sim::RecordedRequest& request, const std::string& name) {
    for (const sim::SoapParam& p : request.soapParams)
        if (p.name == name)
            return p.value;
    return "<absent>";
}

struct SoapLoginCase {
    const char* name;
    QString uid, pwd;                        // typed into the boxes
    std::optional<sim::ScriptedReply> reply; // none: the simulator's own answer
    QString message;                         // empty: no message
    bool enters;
    QStringList fields; // money, dj, MaxSmsChars after an entering login
};

sim::ScriptedReply soapFault() {
    sim::ScriptedReply reply;
    reply.soapFault = "Server was unable to process request.";
    return reply;
}

const SoapLoginCase kSoapLoginCases[] = {
    {"demo_account", " demo ", " demo2026 ", std::nullopt, {}, true, {"1000", "0.08", "60"}},
    {"price_as_sent",
     "demo",
     "demo2026",
     test::soapResult("000/x/12.5/.09/"),
     {},
     true,
     {"12.5", ".09", "60"}},
    {"chars_per_sms",
     "demo",
     "demo2026",
     test::soapResult("000/x/12.5/0.09/75"),
     {},
     true,
     {"12.5", "0.09", "75"}},
    {"wrong_password", "demo", "nope", std::nullopt, "账号或密码错误！", false, {}},
    {"no_such_user_shows_nothing", "nobody", "nope", std::nullopt, {}, false, {}},
    {"missing_parameters", "demo", "demo2026", test::soapResult("-04"), "用户名和密码不能为空！", false, {}},
    {"maintenance", "demo", "demo2026", test::soapResult("-09"), "系统维护中请稍侯登录！", false, {}},
    {"other_code_shows_nothing", "demo", "demo2026", test::soapResult("-05"), {}, false, {}},
    {"too_few_fields", "demo", "demo2026", test::soapResult("000/x"), kSoapConnection, false, {}},
    {"fault", "demo", "demo2026", soapFault(), kSoapConnection, false, {}},
    {"unreachable", "demo", "demo2026", test::dropped(), kSoapConnection, false, {}},
    {"balance_not_an_amount", "demo", "demo2026", test::soapResult("000/x/abc/.09/"), kSoapConnection, false, {}},
    {"price_not_an_amount", "demo", "demo2026", test::soapResult("000/x/12.5/1e3/"), kSoapConnection, false, {}},
    // The envelope around this result is larger than an account exchange reads.
    {"reply_over_the_limit",
     "demo",
     "demo2026",
     test::soapResult("000/x/12.5/.09/" + std::string(limits::kAccount.maxReplyBytes, '0')),
     kSoapConnection,
     false,
     {}},
};

class SoapLoginReplyTest : public test::LoginTest, public ::testing::WithParamInterface<SoapLoginCase> {};

// Before any HTTP login the call goes to the default endpoint, the simulator's; only the
// balance, the SMS price and the characters per SMS change.
TEST_P(SoapLoginReplyTest, FillsTheAccountOrShowsTheMessage) {
    const SoapLoginCase& c = GetParam();
    if (c.reply)
        sim.script(test::kSoapPath, *c.reply, "GetUserInfo");
    showLogin();
    enter(c.uid, c.pwd);
    login().pwdEnter();

    const auto sent = requestsTo(test::kSoapPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].soapOperation, "GetUserInfo");
    EXPECT_EQ(soapParam(sent[0], "uid"), c.uid.trimmed().toStdString());
    EXPECT_EQ(soapParam(sent[0], "pwd"), c.pwd.trimmed().toStdString());
    EXPECT_EQ(shown(),
              c.message.isEmpty() ? QStringList() : QStringList{test::informed(kLoginCaption, c.message)});
    QStringList expected = initialState();
    if (c.enters) {
        expected[0] = "demo";
        expected[1] = "demo2026";
        expected[2] = c.fields[0];
        expected[3] = c.fields[1];
        expected[4] = c.fields[2];
    }
    EXPECT_EQ(state(), expected);
    EXPECT_EQ(login().isVisible(), !c.enters);
    EXPECT_EQ(screens().Form2->isVisible(), c.enters);
}

INSTANTIATE_TEST_SUITE_P(Replies,
                         SoapLoginReplyTest,
                         ::testing::ValuesIn(kSoapLoginCases),
                         [](const auto& info) { return std::string(info.param.name); });

using SoapLoginTest = test::LoginTest;

// After an HTTP login the SOAP call goes to the endpoint that the login reply named.
TEST_F(SoapLoginTest, UsesTheEndpointOfTheHttpLoginReply) {
    sim::Simulator other;
    other.start(0);
    const std::string endpoint = other.soapUrl();
    sim.script(test::kLoginPath, test::body("000|x|5|.1|70|.1|.1|" + endpoint + "|.1|true"));
    logInAsDemo();
    EXPECT_EQ(child<QLineEdit>(login(), "service_url")->text(), QString::fromStdString(endpoint));

    login().pwdEnter();
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
    const auto sent = test::requestsTo(other, test::kSoapPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].soapOperation, "GetUserInfo");
    EXPECT_TRUE(messages->shown.isEmpty());
    // The schedule right of the HTTP login stays.
    EXPECT_TRUE(services().account->get().CanSchedule);
}

// The keyboard alone: Enter in the identifier moves on, other keys type, Enter in the
// password logs in.
TEST_F(SoapLoginTest, LogsInWithTheKeyboardAlone) {
    showLogin();
    EXPECT_EQ(login().focusWidget(), child<QLineEdit>(login(), "uid"));
    QTest::keyClicks(child<QLineEdit>(login(), "uid"), "demo");
    QTest::keyClick(child<QLineEdit>(login(), "uid"), Qt::Key_Return);
    EXPECT_EQ(login().focusWidget(), child<QLineEdit>(login(), "pwd"));
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
    QTest::keyClicks(child<QLineEdit>(login(), "pwd"), "demo2026");
    EXPECT_EQ(child<QLineEdit>(login(), "pwd")->text(), "demo2026");
    QTest::keyClick(child<QLineEdit>(login(), "pwd"), Qt::Key_Enter);

    EXPECT_EQ(requestsTo(test::kSoapPath).size(), 1u);
    EXPECT_TRUE(requestsTo(test::kLoginPath).empty());
    EXPECT_TRUE(screens().Form2->isVisible());
    EXPECT_EQ(state()[2], "1000");
}

} // namespace
} // namespace parlumo
