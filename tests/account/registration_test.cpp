// The registration dialog: its local checks, the request it sends and the replies.
#include "account/registration_dialog.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

namespace parlumo {
namespace {

constexpr const char* kRegisterPath = "/webservice/public/softreg.asp";

class RegistrationTest : public test::LoginTest {
protected:
    TForm11& dialog() { return *screens().Form11; }

    // Entries that pass every local check; the optional ones stay empty.
    void fillValid() {
        TForm11& d = dialog();
        child<QLineEdit>(d, "auid")->setText(" newuser ");
        child<QLineEdit>(d, "apwd")->setText(" Reg2026x ");
        child<QLineEdit>(d, "arpwd")->setText("Reg2026x");
        child<QLineEdit>(d, "linkman")->setText(" LiSi ");
        child<QLineEdit>(d, "mob")->setText("13912345678");
        for (QLineEdit* optional : {child<QLineEdit>(d, "coname"),
                                    child<QLineEdit>(d, "tel"),
                                    child<QLineEdit>(d, "email"),
                                    child<QLineEdit>(d, "addr")})
            optional->clear();
        child<QLabel>(d, "agentcode")->setText("OVARN");
    }

    // Shows the dialog without its modal loop and presses "&R注 册".
    void registerNow() {
        messages->shown.clear();
        dialog().show();
        dialog().LbSpeedButton1Click();
    }
};

TEST_F(RegistrationTest, OpensBesideTheLoginScreenWithTheAgentCode) {
    writeSetting("config", "agentcode", "ACME7");
    showLogin();
    QPoint position;
    QString agentcode;
    bool shownModal = false;
    QTimer::singleShot(0, &dialog(), [&] {
        position = dialog().pos();
        agentcode = child<QLabel>(dialog(), "agentcode")->text();
        shownModal = dialog().isVisible() && dialog().isModal();
        dialog().reject();
    });
    login().LbSpeedButton1Click();
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(position, login().pos() + QPoint(250, -100));
    EXPECT_EQ(agentcode, "ACME7");
    EXPECT_TRUE(requestsTo(kRegisterPath).empty());
}

struct LocalCheck {
    const char* name;
    std::function<void(TForm11&)> change;
    QString message;   // empty: every check passes and the request goes out
    const char* focus; // the entry that gets the focus
};

const LocalCheck kLocalChecks[] = {
    {"empty_identifier",
     [](TForm11& d) { child<QLineEdit>(d, "auid")->setText("  "); },
     "账号和密码不能为空！",
     "auid"},
    {"empty_password",
     [](TForm11& d) { child<QLineEdit>(d, "apwd")->setText(" "); },
     "账号和密码不能为空！",
     "auid"},
    {"weak_password",
     [](TForm11& d) { child<QLineEdit>(d, "apwd")->setText("123123"); },
     "密码太简单！建议字母+数字。",
     "apwd"},
    {"weak_before_length",
     [](TForm11& d) { child<QLineEdit>(d, "apwd")->setText("2233"); },
     "密码太简单！建议字母+数字。",
     "apwd"},
    {"weak_across_a_comma",
     [](TForm11& d) { child<QLineEdit>(d, "apwd")->setText("3210,00"); },
     "密码太简单！建议字母+数字。",
     "apwd"},
    {"password_of_5",
     [](TForm11& d) { child<QLineEdit>(d, "apwd")->setText("abcde"); },
     "密码建议6-12位，请重新输入！",
     "apwd"},
    {"password_of_6",
     [](TForm11& d) {
         child<QLineEdit>(d, "apwd")->setText("abc7xy");
         child<QLineEdit>(d, "arpwd")->setText("abc7xy");
     },
     {},
     nullptr},
    {"repeat_differs",
     [](TForm11& d) { child<QLineEdit>(d, "arpwd")->setText("Reg2026y"); },
     "两次密码输入不一致，请重新输入！",
     "arpwd"},
    {"repeat_compared_trimmed",
     [](TForm11& d) { child<QLineEdit>(d, "arpwd")->setText(" Reg2026x  "); },
     {},
     nullptr},
    {"empty_contact",
     [](TForm11& d) { child<QLineEdit>(d, "linkman")->setText("  "); },
     "联系人不能为空！",
     "linkman"},
    {"empty_mobile", [](TForm11& d) { child<QLineEdit>(d, "mob")->clear(); }, "手机为空或格式不对！", "mob"},
    {"mobile_of_10",
     [](TForm11& d) { child<QLineEdit>(d, "mob")->setText("1391234567"); },
     "手机为空或格式不对！",
     "mob"},
    {"mobile_of_11", [](TForm11& d) { child<QLineEdit>(d, "mob")->setText("13912345670"); }, {}, nullptr},
};

TEST_F(RegistrationTest, LocalChecksRunInOrder) {
    for (const LocalCheck& c : kLocalChecks) {
        SCOPED_TRACE(c.name);
        fillValid();
        c.change(dialog());
        child<QLineEdit>(dialog(), "auid")->setFocus();
        const size_t before = requestsTo(kRegisterPath).size();
        sim.clearScripts();
        sim.script(kRegisterPath, test::body("-05"));
        registerNow();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages->shown.isEmpty());
            EXPECT_EQ(requestsTo(kRegisterPath).size(), before + 1);
        } else {
            EXPECT_EQ(shown(), QStringList{test::plain(c.message)});
            EXPECT_EQ(dialog().focusWidget(), child<QLineEdit>(dialog(), c.focus));
            EXPECT_EQ(requestsTo(kRegisterPath).size(), before);
        }
        EXPECT_TRUE(dialog().isVisible());
    }
}

struct ReplyCase {
    const char* name;
    std::optional<std::string> reply; // none: the connection drops
    QString message;                  // empty: nothing shown
    bool focusIdentifier;
};

const ReplyCase kReplyCases[] = {
    {"taken", "-01", "账号已被注册，请换个账号试试！", true},
    {"too_simple", "-07", "密码太简单,数字+字母！", true},
    {"incomplete", "-04", "参数不全，请重新输入！", false},
    {"other_code", "-05", {}, false},
    {"empty_reply", "", {}, false},
    {"unreachable", std::nullopt, {}, false},
};

// A refusal leaves the dialog open and the login boxes as they were.
TEST_F(RegistrationTest, RefusalsShowTheirMessageAndKeepTheDialogOpen) {
    child<QLineEdit>(login(), "uid")->setText("before");
    for (const ReplyCase& c : kReplyCases) {
        SCOPED_TRACE(c.name);
        fillValid();
        child<QLineEdit>(dialog(), "mob")->setFocus();
        sim.script(kRegisterPath, c.reply ? test::body(*c.reply) : test::dropped());
        registerNow();
        EXPECT_EQ(shown(),
                  c.message.isEmpty() ? QStringList() : QStringList{test::informed("登录提示", c.message)});
        EXPECT_EQ(dialog().focusWidget(),
                  c.focusIdentifier ? child<QLineEdit>(dialog(), "auid") : child<QLineEdit>(dialog(), "mob"));
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), "before");
    }
}

class RegistrationFaultTest : public RegistrationTest, public ::testing::WithParamInterface<test::Fault> {};

// A failed exchange shows nothing, registers nobody and leaves the dialog open and taking input.
TEST_P(RegistrationFaultTest, LeavesTheDialogOpen) {
    child<QLineEdit>(login(), "uid")->setText("before");
    fillValid();
    const test::InjectedFault fault(sim, GetParam(), kRegisterPath);
    registerNow();
    EXPECT_EQ(shown(), QStringList());
    EXPECT_FALSE(sim.account("newuser").has_value());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().isEnabled());
    EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), "before");
}

INSTANTIATE_TEST_SUITE_P(Faults,
                         RegistrationFaultTest,
                         ::testing::ValuesIn(test::kEveryFault),
                         test::FaultName());

// The simulator registers the account: the query carries every key, the empty optional ones
// included, and the address's trailing blank encoded; the login boxes receive the credentials
// and no setting is written.
TEST_F(RegistrationTest, SuccessFillsTheLoginBoxesAndCloses) {
    fillValid();
    const QByteArray settingsBefore = readBytes("ovarn.ini");
    registerNow();
    const auto sent = requestsTo(kRegisterPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].query,
              "uid=newuser&pwd=Reg2026x&proid=1&mob=13912345678&coname=&linkman=LiSi&tel=&email="
              "&agentcode=OVARN&add=%20");
    EXPECT_EQ(shown(), QStringList{test::plain("恭喜！注册成功！")});
    EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), "newuser");
    EXPECT_EQ(child<QLineEdit>(login(), "pwd")->text(), "Reg2026x");
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    const auto account = sim.account("newuser");
    ASSERT_TRUE(account.has_value());
    EXPECT_EQ(account->mobile, "13912345678");
    EXPECT_EQ(account->agentCode, "OVARN");
    EXPECT_EQ(readBytes("ovarn.ini"), settingsBefore);
}

TEST_F(RegistrationTest, MobileTakesDigitsOnlyAndCloseSendsNothing) {
    dialog().show();
    QTest::keyClicks(child<QLineEdit>(dialog(), "mob"), "139a-0 5x");
    EXPECT_EQ(child<QLineEdit>(dialog(), "mob")->text(), "13905");
    QTest::keyClick(child<QLineEdit>(dialog(), "mob"), Qt::Key_Backspace);
    EXPECT_EQ(child<QLineEdit>(dialog(), "mob")->text(), "1390");
    child<QLineEdit>(dialog(), "auid")->setText("kept");
    QTest::mouseClick(child<QPushButton>(dialog(), "LbSpeedButton2"), Qt::LeftButton);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(child<QLineEdit>(dialog(), "auid")->text(), "kept");
    EXPECT_TRUE(requestsTo(kRegisterPath).empty());
}

} // namespace
} // namespace parlumo
