// Every way the service can fail the HTTP login, the SOAP login and the balance refresh: the
// screen's own message, the account as it was, the window taking input again.
#include "main_window/main_window.h"
#include "sms/compose_screen.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"

#include <QLabel>
#include <QTest>

namespace parlumo {
namespace {

using test::Fault;

const QString kHttpConnection =
    "请检查您的电脑是否正常连上Internet，请稍侯重试!\r\n  或者dns改为8.8.8.8 再试。";
const QString kSoapConnection = "请检查您的电脑是否已连上Internet,\r\n  请稍侯重试!";

class LoginFaultTest : public test::LoginTest, public ::testing::WithParamInterface<Fault> {
protected:
    // Taken before the fault: a refused port is a stopped simulator, which has no address.
    void expectStillOutside(const QStringList& before) {
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(login().isVisible());
        EXPECT_TRUE(login().isEnabled());
        EXPECT_FALSE(screens().Form2->isVisible());
    }
};

TEST_P(LoginFaultTest, HttpLogin) {
    showLogin();
    enter("demo", "demo2026");
    const QStringList before = initialState();
    const test::InjectedFault fault(sim, GetParam(), test::kLoginPath);
    login().LbSpeedButton2Click();

    const QString garbage = "登录失败：请联系软件厂商。错误码：" + QString::fromLatin1(test::kMalformedText);
    const QString message = GetParam() == Fault::Malformed ? garbage : kHttpConnection;
    EXPECT_EQ(shown(), QStringList{test::informed("登录提示", message)});
    expectStillOutside(before);
}

TEST_P(LoginFaultTest, SoapLogin) {
    showLogin();
    enter("demo", "demo2026");
    const QStringList before = initialState();
    const test::InjectedFault fault(sim, GetParam(), test::kSoapPath, "GetUserInfo");
    login().pwdEnter();

    EXPECT_EQ(shown(), QStringList{test::informed("登录提示", kSoapConnection)});
    expectStillOutside(before);
}

TEST_P(LoginFaultTest, BalanceRefresh) {
    logInAsDemo();
    const QStringList loggedIn = state();
    ASSERT_EQ(loggedIn[2], "1000");
    TForm3& sms = *screens().Form3;
    const test::InjectedFault fault(sim, GetParam(), test::kLoginPath);
    QTest::mouseClick(child<QLabel>(sms, "Label26"), Qt::LeftButton);

    // A garbage answer is no success code: the refusal's message.
    const QString message = GetParam() == Fault::Malformed ? "刷新余额失败，请退出，重新登录！"
                                                           : "无法连接服务器，余额未能刷新，请稍后重试！";
    EXPECT_EQ(shown(), QStringList{test::informed("提示", message)});
    EXPECT_EQ(state(), loggedIn);
    EXPECT_EQ(child<QLabel>(sms, "money")->text(), "1000");
    EXPECT_TRUE(sms.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Faults, LoginFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

} // namespace
} // namespace parlumo
