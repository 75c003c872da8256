// The button login over HTTP, the guest mode and what a login leaves in the settings.
#include "login/login_reply.h"
#include "main_window/main_window.h"
#include "service/http.h"
#include "sms/compose_screen.h"
#include "tests/support/login_fixture.h"
#include "text/excerpt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <optional>

namespace parlumo {
namespace {

const QString kEndpoint = "http://soap.example.net/Service.asmx";
const QString kLoginCaption = "登录提示";
const QString kHttpConnection =
    "请检查您的电脑是否正常连上Internet，请稍侯重试!\r\n  或者dns改为8.8.8.8 再试。";

struct HttpLoginCase {
    const char* name;
    std::optional<std::string> reply; // none: the connection drops
    QString message;                  // empty: no message
    QStringList state;                // empty: the state before the login
};

// A successful login's state with the demo credentials.
QStringList loggedIn(QStringList fields) {
    return QStringList{"demo", "demo2026"} + fields;
}

const HttpLoginCase kHttpLoginCases[] = {
    {"every_field",
     "000|x|123.45|.08|70|.15|.2|" + kEndpoint.toStdString() + "|.25|true",
     {},
     loggedIn({"123.45", "0.08", "70", "0.15", "0.2", kEndpoint, "0.25", "true"})},
    {"empty_chars_per_sms",
     "000|x|5|.1||.1|.1|" + kEndpoint.toStdString() + "|.1|false",
     {},
     loggedIn({"5", "0.1", "60", "0.1", "0.1", kEndpoint, "0.1", "false"})},
    {"too_few_fields", "000|x|5", kHttpConnection, {}},
    // The fields before the first missing one keep their new values.
    {"missing_mms_price",
     "000|x|5|.1|70|.15|.2|" + kEndpoint.toStdString(),
     kHttpConnection,
     {"", "", "5", "0.1", "70", "0.15", "0.2", kEndpoint, "0.3", "false"}},
    {"wrong_password", "-03", "账号或密码错误！", {}},
    {"no_such_user", "-02", "账号或密码错误！", {}},
    {"missing_parameters", "-04", "用户名和密码不能为空！", {}},
    {"maintenance", "-09", "系统维护中请稍侯登录！", {}},
    {"other_code", "-05", "登录失败：请联系软件厂商。错误码：-05", {}},
    {"empty_reply", "", kHttpConnection, {}},
    {"unreachable", std::nullopt, kHttpConnection, {}},
    // The longest reply read: its code shows cut. One byte more is a failed exchange.
    {"code_at_the_reply_limit",
     "-05" + std::string(limits::kAccount.maxReplyBytes - 3, '9'),
     "登录失败：请联系软件厂商。错误码：-05" + QString(kExcerptChars - 3, '9') + "…",
     {}},
    {"reply_over_the_limit", "-05" + std::string(limits::kAccount.maxReplyBytes - 2, '9'), kHttpConnection, {}},
    {"balance_not_an_amount", "000|x|1e3|.1|70|.15|.2|" + kEndpoint.toStdString() + "|.25|true", kHttpConnection, {}},
    // Like a missing field: the fields before the bad price keep their new values.
    {"price_not_an_amount",
     "000|x|5|.1|70|.15|.2|" + kEndpoint.toStdString() + "|abc|true",
     kHttpConnection,
     {"", "", "5", "0.1", "70", "0.15", "0.2", kEndpoint, "0.3", "false"}},
};

class HttpLoginReplyTest : public test::LoginTest, public ::testing::WithParamInterface<HttpLoginCase> {};

TEST_P(HttpLoginReplyTest, FillsTheAccountOrShowsTheMessage) {
    const HttpLoginCase& c = GetParam();
    sim.script(test::kLoginPath, c.reply ? test::body(*c.reply) : test::dropped());
    showLogin();
    enter(" demo ", " demo2026 ");
    login().LbSpeedButton2Click();

    const auto sent = requestsTo(test::kLoginPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].query, "uid=demo&pwd=demo2026&proid=1");
    EXPECT_EQ(shown(),
              c.message.isEmpty() ? QStringList() : QStringList{test::informed(kLoginCaption, c.message)});
    const bool enters = c.message.isEmpty();
    EXPECT_EQ(state(), c.state.isEmpty() ? initialState() : c.state);
    EXPECT_EQ(login().isVisible(), !enters);
    EXPECT_EQ(screens().Form2->isVisible(), enters);

    TForm3& sms = *screens().Form3;
    const AccountFields account = services().account->get();
    const QStringList panel{child<QLabel>(sms, "uid")->text(),
                            child<QLabel>(sms, "money")->text(),
                            child<QLabel>(sms, "dj")->text(),
                            child<QLabel>(sms, "fdj")->text(),
                            child<QLabel>(sms, "vdj")->text(),
                            child<QLabel>(sms, "cdj")->text()};
    if (enters) {
        EXPECT_EQ(
            panel,
            (QStringList{account.uid, account.money, account.dj, account.fdj, account.vdj, account.cdj}));
        EXPECT_EQ(child<QLabel>(sms, "maxsmstxt")->text(), account.MaxSmsChars);
        EXPECT_EQ(child<QLineEdit>(login(), "service_url")->text(), account.service_url);
    } else {
        EXPECT_EQ(panel, (QStringList{"Guest", "000000.00", "0.1", "0.3", "0.2", "0.3"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Replies,
                         HttpLoginReplyTest,
                         ::testing::ValuesIn(kHttpLoginCases),
                         [](const auto& info) { return std::string(info.param.name); });

using HttpLoginTest = test::LoginTest;

// The schedule controls follow each login; hidden, "插入短语" stands at x = 30.
TEST_F(HttpLoginTest, ScheduleControlsFollowTheScheduleRight) {
    TForm3& sms = *screens().Form3;
    const QList<QWidget*> schedule{child<QCheckBox>(sms, "chk1"),
                                   child<QDateEdit>(sms, "t_date"),
                                   child<QComboBox>(sms, "t_hh"),
                                   child<QComboBox>(sms, "t_mm"),
                                   child<QLabel>(sms, "Label19"),
                                   child<QLabel>(sms, "Label22")};
    enter("demo", "demo2026");
    for (const char* right : {"true", "false", "true"}) {
        sim.script(test::kLoginPath, test::body(std::string("000|x|5|.1|70|.1|.1|E|.1|") + right));
        login().LbSpeedButton2Click();
        const bool visible = std::string(right) == "true";
        for (QWidget* control : schedule)
            EXPECT_EQ(control->isVisibleTo(&sms), visible)
                << control->objectName().toStdString() << " " << right;
        if (visible) {
            EXPECT_GT(child<QPushButton>(sms, "btfdy")->x(), 30);
        } else {
            EXPECT_EQ(child<QPushButton>(sms, "btfdy")->x(), 30);
        }
    }
    EXPECT_TRUE(messages->shown.isEmpty());
}

// A slow service leaves the window repainting: both ways wait off the window's thread, with the
// login screen taking no input until the reply is handled.
TEST_F(HttpLoginTest, TheWindowStaysResponsiveWhileALoginWaits) {
    for (bool soapWay : {false, true}) {
        SCOPED_TRACE(soapWay ? "soap" : "http");
        sim::ScriptedReply slow;
        slow.delay = std::chrono::milliseconds(800);
        soapWay ? sim.script(test::kSoapPath, slow, "GetUserInfo") : sim.script(test::kLoginPath, slow);
        enter("demo", "demo2026");
        int ticks = 0;
        bool disabledMeanwhile = true;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            disabledMeanwhile = disabledMeanwhile && !login().isEnabled();
        });
        ticker.start(50);
        soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();
        ticker.stop();
        EXPECT_GE(ticks, 5);
        EXPECT_TRUE(disabledMeanwhile);
        EXPECT_TRUE(login().isEnabled());
        EXPECT_TRUE(screens().Form2->isVisible());
        EXPECT_TRUE(messages->shown.isEmpty());
    }
}

TEST_F(HttpLoginTest, EmptyIdentifierOrPasswordSendsNothing) {
    const struct { QString uid, pwd; } cases[] = {{"", "demo2026"}, {"demo", ""}, {"  ", " \t "}};
    login();
    for (bool soapWay : {false, true}) {
        for (const auto& c : cases) {
            messages->shown.clear();
            enter(c.uid, c.pwd);
            child<QLineEdit>(login(), "pwd")->setFocus();
            soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();
            EXPECT_EQ(shown(), QStringList{test::informed(kLoginCaption, "用户名和密码不能为空！")});
            EXPECT_EQ(login().focusWidget(), child<QLineEdit>(login(), "uid"));
        }
    }
    EXPECT_TRUE(requestsTo(test::kLoginPath).empty());
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
    EXPECT_EQ(state(), initialState());
}

// Guest mode by either way: the fixed guest values, nothing sent, no setting written. The SOAP
// way leaves the MMS price as it was.
class GuestLoginTest : public test::LoginTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GuestLoginTest, EntersWithTheGuestValuesSendingNothing) {
    const bool soapWay = GetParam();
    showLogin();
    const QByteArray settingsBefore = readBytes("ovarn.ini");
    services().account->change([](AccountFields& a) { a.cdj = "0.5"; });

    child<QCheckBox>(login(), "CheckBox2")->click();
    EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), "guest");
    EXPECT_TRUE(QRegularExpression("^[a-z]{5}$").match(child<QLineEdit>(login(), "pwd")->text()).hasMatch())
        << child<QLineEdit>(login(), "pwd")->text().toStdString();
    EXPECT_FALSE(child<QLineEdit>(login(), "uid")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(login(), "pwd")->isEnabled());
    soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();

    EXPECT_EQ(
        shown(),
        QStringList{test::informed("提示", "您使用的是来宾账号.此账号仅用于演示,大部分功能将不能使用！")});
    QStringList expected = initialState();
    expected[0] = "guest";
    expected[2] = "0";
    expected[8] = soapWay ? "0.5" : "0.3";
    EXPECT_EQ(state(), expected);
    EXPECT_EQ(child<QLabel>(screens().Form3, "uid")->text(), "guest");
    EXPECT_FALSE(login().isVisible());
    EXPECT_TRUE(screens().Form2->isVisible());
    EXPECT_TRUE(requestsTo(test::kLoginPath).empty());
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
    EXPECT_EQ(readBytes("ovarn.ini"), settingsBefore);
}

INSTANTIATE_TEST_SUITE_P(Ways, GuestLoginTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "soap" : "http");
});

TEST_F(HttpLoginTest, UntickingGuestModeEmptiesAndEnablesTheBoxes) {
    enter("demo", "demo2026");
    child<QCheckBox>(login(), "CheckBox2")->click();
    child<QCheckBox>(login(), "CheckBox2")->click();
    EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), "");
    EXPECT_EQ(child<QLineEdit>(login(), "pwd")->text(), "");
    EXPECT_TRUE(child<QLineEdit>(login(), "uid")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(login(), "pwd")->isEnabled());
}

// A successful login by either way remembers the identifier, and the password only when
// "记住密码" is ticked; the key stays present and empty otherwise.
TEST_F(HttpLoginTest, SuccessfulLoginWritesTheCredentials) {
    for (bool soapWay : {false, true}) {
        for (bool remember : {true, false}) {
            SCOPED_TRACE(std::string(soapWay ? "soap" : "http") +
                         (remember ? " remembered" : " not remembered"));
            writeSetting("login", "uid", "someone-else");
            writeSetting("login", "pwd", "old");
            child<QCheckBox>(login(), "CheckBox1")->setChecked(remember);
            enter(" demo ", "demo2026 ");
            soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();
            EXPECT_EQ(readSetting("login", "uid"), "demo");
            EXPECT_EQ(readSetting("login", "pwd"), remember ? "demo2026" : "");
        }
    }
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(HttpLoginTest, RefusedLoginWritesNoSetting) {
    login();
    const QByteArray settingsBefore = readBytes("ovarn.ini");
    child<QCheckBox>(login(), "CheckBox1")->setChecked(true);
    enter("demo", "wrong-password");
    login().LbSpeedButton2Click();
    login().pwdEnter();
    EXPECT_EQ(shown(), QStringList(2, test::informed(kLoginCaption, "账号或密码错误！")));
    EXPECT_EQ(readBytes("ovarn.ini"), settingsBefore);
}

// A settings file that cannot be written is reported by name with its reason, and the login
// the service accepted goes on either way.
TEST_F(HttpLoginTest, FailedSettingsWriteIsReportedAndTheLoginGoesOn) {
    login();
    ASSERT_TRUE(QFile::remove(file("ovarn.ini")));
    ASSERT_TRUE(QDir().mkpath(file("ovarn.ini")));
    for (bool soapWay : {false, true}) {
        SCOPED_TRACE(soapWay ? "soap" : "http");
        messages->shown.clear();
        enter("demo", "demo2026");
        soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();
        ASSERT_EQ(messages->shown.size(), 1);
        const MessageRequest& shown = messages->shown[0];
        EXPECT_EQ(shown.caption, QStringLiteral("提示"));
        EXPECT_EQ(shown.icon, MessageIcon::Warning);
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("登录信息未能保存。"))) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(file("ovarn.ini"))) << shown.text.toStdString();
        EXPECT_EQ(state()[2], "1000");
        EXPECT_TRUE(screens().Form2->isVisible());
    }
}

// The HTTP way turns the saved text's carriage returns into commas; the SOAP way puts it in
// as it is, and the compose screen drops the line break.
TEST_F(HttpLoginTest, LastTextIsRestoredIntoTheMessageBox) {
    writeBytes("ovarn.ini",
               readBytes("ovarn.ini") + "[config]\r\nlasttxt=  \xC4\xE3\xBA\xC3\r\xCA\xC0\xBD\xE7  \r\n");
    for (bool soapWay : {false, true}) {
        enter("demo", "demo2026");
        soapWay ? login().pwdEnter() : login().LbSpeedButton2Click();
        EXPECT_EQ(child<QPlainTextEdit>(screens().Form3, "txt")->toPlainText(),
                  soapWay ? "你好世界" : "你好,世界");
    }
}

TEST(RestoredLastText, TrimsDropsLineFeedsAndTurnsCarriageReturnsIntoCommas) {
    const struct {
        QString saved, restored;
    } cases[] = {
        {"  plain  ", "plain"},
        {"a\r\nb\r\nc", "a,b,c"},
        {"a\nb", "ab"},
        {"\r\na\rb\r\n", "a,b"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(restoredLastText(c.saved), c.restored) << c.saved.toStdString();
}

} // namespace
} // namespace parlumo
