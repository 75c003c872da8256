#include "voice/direct_call_page.h"

#include "tests/support/faults.h"
#include "tests/voice/voice_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

namespace parlumo {
namespace {

constexpr const char* kCallPath = "/voice_service/superphone.asp";

class DirectCallPageTest : public test::VoiceScreenTest {
protected:
    QLineEdit* from_tel() { return child<QLineEdit>(form(), "from_tel"); }
    QLineEdit* to_tel() { return child<QLineEdit>(form(), "to_tel"); }
    QLabel* Label11() { return child<QLabel>(form(), "Label11"); }
    QTimer* Timer11() { return child<QTimer>(form(), "Timer11"); }
    QString onno() { return child<QLineEdit>(form(), "onno")->text(); }
    DirectCallPage& page() { return *child<DirectCallPage>(form(), "tt4"); }

    void enterNumbers(const QString& from, const QString& to) {
        from_tel()->setText(from);
        to_tel()->setText(to);
    }
    bool call() { return clickAndWait("LbSpeedButton4"); }
};

TEST_F(DirectCallPageTest, ShortNumbersAndABalanceBelowTenStopBeforeAnyRequest) {
    const struct {
        const char* from;
        const char* to;
        const char* money;
        QString message;
    } cases[] = {
        {"0086", "00861062345678", "100", test::plain("号码有误！请查阅拔号规则。")},
        {"008613800000000", "008612345", "100", test::plain("号码有误！请查阅拔号规则。")},
        {"0086123456", "0086123456", "9.99", test::informed("提示", "抱歉！您的余额低于10元。不能使用通话功能！")},
        {"0086123456", "0086123456", "10.00", test::plain("呼叫失败！错误码：-01")},
    };
    int requests = 0;
    for (const auto& c : cases) {
        logIn(QString::fromLatin1(c.money));
        messages->shown.clear();
        sim.script(kCallPath, test::body("-01"));
        enterNumbers(QString::fromLatin1(c.from), QString::fromLatin1(c.to));
        ASSERT_TRUE(call());
        EXPECT_EQ(shown(), QStringList{c.message}) << c.from << " " << c.to << " " << c.money;
        requests += c.message.contains(QStringLiteral("呼叫失败")) ? 1 : 0;
        EXPECT_EQ(static_cast<int>(requestsTo(kCallPath).size()), requests);
    }
    EXPECT_TRUE(vlistRows().isEmpty());
    EXPECT_TRUE(Label11()->isHidden());
    EXPECT_EQ(from_tel()->text(), QStringLiteral("0086123456"));
}

TEST_F(DirectCallPageTest, TheRequestCarriesTheAccountAndBothNumbersTrimmed) {
    logIn();
    sim.script(kCallPath, test::body("-04"));
    enterNumbers(QStringLiteral(" 008613800000000 "), QStringLiteral("00861062345678"));
    ASSERT_TRUE(call());
    const auto requests = requestsTo(kCallPath);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].query, "id=demo&pwd=demo2026&from_no=008613800000000&to_no=00861062345678");
}

TEST_F(DirectCallPageTest, AFailedRequestShowsTheCodeItGotAndStoresNothing) {
    logIn();
    sim::ScriptedReply refused;
    refused.status = 500;
    refused.body = "12345";
    const struct {
        sim::ScriptedReply reply;
        const char* message;
    } cases[] = {{test::body("-01"), "呼叫失败！错误码：-01"},
                 {test::body(" 000 \r\n"), "呼叫失败！错误码：000"},
                 {test::dropped(), "呼叫失败！错误码："},
                 {refused, "呼叫失败！错误码："}};
    enterNumbers(QStringLiteral("008613800000000"), QStringLiteral("00861062345678"));
    for (const auto& c : cases) {
        messages->shown.clear();
        sim.script(kCallPath, c.reply);
        ASSERT_TRUE(call());
        EXPECT_EQ(shown(), QStringList{test::plain(QString::fromUtf8(c.message))});
    }
    EXPECT_TRUE(vlistRows().isEmpty());
    EXPECT_FALSE(Timer11()->isActive());
}

TEST_F(DirectCallPageTest, AnAcceptedCallIsRecordedAndCountedDownWithoutAMessage) {
    logIn(QStringLiteral("10"));
    enterNumbers(QStringLiteral("008613800000000"), QStringLiteral(" 00861062345678 "));
    sim.script(kCallPath, test::body("52017"));
    ASSERT_TRUE(call());
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_EQ(money(), QStringLiteral("10"));
    EXPECT_EQ(vlistRows(),
              (QList<QStringList>{{"demo", "52017", "5", "1", "无", "0", "00861062345678", "", "成功"}}));

    // The count-down: the plain text first, then 10 down to 0 a second apart, then it goes.
    EXPECT_TRUE(Timer11()->isActive());
    EXPECT_EQ(Timer11()->interval(), 1000);
    EXPECT_FALSE(Label11()->isHidden());
    EXPECT_EQ(Label11()->text(), QStringLiteral("正在呼叫，请稍侯.."));
    for (int left = 10; left >= 0; --left) {
        page().Timer11Timer();
        EXPECT_EQ(Label11()->text(), QStringLiteral("正在呼叫，请稍侯..") + QString::number(left));
        EXPECT_FALSE(Label11()->isHidden());
        EXPECT_EQ(onno(), QString::number(11 - left));
    }
    page().Timer11Timer();
    EXPECT_TRUE(Label11()->isHidden());
    EXPECT_FALSE(Timer11()->isActive());
    EXPECT_EQ(onno(), QStringLiteral("0"));
    EXPECT_EQ(from_tel()->text(), QStringLiteral("008613800000000"));

    // A new call during the count-down starts it again; the label keeps its last text until the
    // first tick.
    sim.script(kCallPath, test::body("52018"));
    ASSERT_TRUE(call());
    for (int i = 0; i < 4; ++i)
        page().Timer11Timer();
    sim.script(kCallPath, test::body("52019"));
    ASSERT_TRUE(call());
    EXPECT_EQ(onno(), QStringLiteral("0"));
    EXPECT_EQ(Label11()->text(), QStringLiteral("正在呼叫，请稍侯..7"));
    page().Timer11Timer();
    EXPECT_EQ(Label11()->text(), QStringLiteral("正在呼叫，请稍侯..10"));
    EXPECT_EQ(vlistRows().size(), 3);
}

TEST_F(DirectCallPageTest, AnAcceptedCallTheDatabaseRefusesIsReportedAndStillCountedDown) {
    logIn();
    services().database->execute(SqlText(QStringLiteral("drop table vlist")));
    enterNumbers(QStringLiteral("008613800000000"), QStringLiteral("00861062345678"));
    sim.script(kCallPath, test::body("52017"));
    ASSERT_TRUE(call());
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_TRUE(messages->shown[0].text.startsWith(QStringLiteral("任务已提交成功！任务号：52017，但本地记录保存失败：")));
    EXPECT_TRUE(Timer11()->isActive());
}

TEST_F(DirectCallPageTest, TheDialPadWritesIntoTheBoxEnteredLastAndNeverTakesTheFocus) {
    showActive();
    child<QTreeWidget>(form(), "tv1")->setCurrentItem(
        child<QTreeWidget>(form(), "tv1")->findItems(QStringLiteral("拔打电话"), Qt::MatchRecursive).first());
    const auto press = [this](const char* button) {
        QTest::mouseClick(child<QPushButton>(form(), button), Qt::LeftButton);
    };
    press("LbSpeedButton19");
    EXPECT_EQ(from_tel()->text(), QStringLiteral("00860"));
    QTest::mouseClick(to_tel(), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(form(), "ttmc")->text(), QStringLiteral("2"));
    for (const char* button : {"LbSpeedButton5", "LbSpeedButton12", "LbSpeedButton21"})
        press(button);
    EXPECT_EQ(to_tel()->text(), QStringLiteral("008613#"));
    EXPECT_TRUE(to_tel()->hasFocus());
    QTest::mouseClick(from_tel(), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(form(), "ttmc")->text(), QStringLiteral("1"));

    const struct {
        const char* button;
        const char* key;
    } pad[] = {{"LbSpeedButton5", "1"},  {"LbSpeedButton6", "2"},  {"LbSpeedButton12", "3"},
               {"LbSpeedButton13", "4"}, {"LbSpeedButton14", "5"}, {"LbSpeedButton15", "6"},
               {"LbSpeedButton16", "7"}, {"LbSpeedButton17", "8"}, {"LbSpeedButton18", "9"},
               {"LbSpeedButton20", "*"}, {"LbSpeedButton19", "0"}, {"LbSpeedButton21", "#"}};
    QString expected = from_tel()->text();
    for (const auto& key : pad) {
        press(key.button);
        expected += QString::fromLatin1(key.key);
        EXPECT_EQ(from_tel()->text(), expected) << key.button;
    }
    EXPECT_EQ(to_tel()->text(), QStringLiteral("008613#"));
    EXPECT_TRUE(from_tel()->hasFocus());
}

class DirectCallFaultTest : public DirectCallPageTest, public ::testing::WithParamInterface<test::Fault> {};

// A failed call shows no code (a garbage page, no task number, is shown as its code), stores
// nothing and starts no count-down.
TEST_P(DirectCallFaultTest, ShowsTheCallFailureAndStoresNothing) {
    logIn();
    enterNumbers(QStringLiteral("008613800000000"), QStringLiteral("00861062345678"));
    const test::InjectedFault fault(sim, GetParam(), kCallPath);
    ASSERT_TRUE(call());
    const QString code = GetParam() == test::Fault::Malformed ? QString(test::kMalformedText) : QString();
    EXPECT_EQ(shown(), QStringList{test::plain("呼叫失败！错误码：" + code)});
    EXPECT_TRUE(vlistRows().isEmpty());
    EXPECT_FALSE(Timer11()->isActive());
    EXPECT_TRUE(Label11()->isHidden());
    EXPECT_EQ(money(), QStringLiteral("100"));
}

INSTANTIATE_TEST_SUITE_P(Faults, DirectCallFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

} // namespace
} // namespace parlumo
