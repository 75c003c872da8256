#include "data/database.h"
#include "sms/compose_screen.h"
#include "tests/fax/fax_screen_fixture.h"
#include "tests/support/faults.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

namespace parlumo {
namespace {

using namespace std::chrono_literals;

class FaxSendTest : public test::FaxScreenTest {
protected:
    void logInWith(const QString& money, const QString& fdj = QStringLiteral("0.3")) {
        logIn(fdj);
        services().account->change([&](AccountFields& a) { a.money = money; });
    }
    // Numbers, a document and cover fields ready to go.
    void prepare(const QString& faxNumbers, const QByteArray& document = QByteArray("%PDF-1.4 fax")) {
        control<QPlainTextEdit>("faxno")->setPlainText(faxNumbers);
        writeBytes(QStringLiteral("offer.pdf"), document);
        fileDialogs->answers << file(QStringLiteral("offer.pdf"));
        control<QPushButton>("LbSpeedButton1")->click();
    }
    void scriptFax(sim::ScriptedReply reply) { sim.script(test::kSoapPath, std::move(reply), "SendFax"); }
    QPushButton* sendButton() { return control<QPushButton>("LbSpeedButton3"); }
    // Clicks "发送传真" and waits, bounded, until the reply has been handled.
    void send() {
        sendButton()->click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return sendButton()->isEnabled(); }, 60'000));
    }
    int storedFaxes() {
        QSqlQuery count =
            services().database->execute(SqlText(QStringLiteral("select count(*) from Faxlist")));
        return count.next() ? count.value(0).toInt() : -1;
    }
    QString balance() { return services().account->get().money; }
    const QString startNote = test::plain(QStringLiteral("点[确定]开始发送。发送过程中请勿退出。"));
};

TEST_F(FaxSendTest, TheChecksStopBeforeAnythingIsSentWithTheirMessageAndFocus) {
    const struct {
        const char* numbers;
        const char* money;
        bool document;
        const char* message;
        const char* focus; // null: the focus stays
    } cases[] = {
        {"", "0", false, "接收传真号码为空。", "faxno"},
        {"0101234567\n0101234568\n0101234569",
         "0.89",
         true,
         "您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。再重新发送。",
         nullptr},
        {"0101234567\n0101234568\n0101234569",
         "0.9",
         false,
         "请先选择文件。支持Word、excel、PDF、图片、PPT",
         "select_faxfile"},
    };
    showScreen();
    for (const auto& c : cases) {
        logInWith(QString::fromLatin1(c.money));
        control<QLineEdit>("select_faxfile")->clear();
        if (c.document)
            prepare(QString::fromLatin1(c.numbers));
        else
            control<QPlainTextEdit>("faxno")->setPlainText(QString::fromLatin1(c.numbers));
        control<QLineEdit>("men")->setFocus();
        messages->shown.clear();
        sendButton()->click();
        EXPECT_EQ(shown(), QStringList{test::informed(QStringLiteral("提示"), QString::fromUtf8(c.message))});
        EXPECT_TRUE(sendButton()->isEnabled());
        const char* focused = c.focus ? c.focus : "men";
        EXPECT_TRUE(control<QWidget>(focused)->hasFocus()) << c.message;
        EXPECT_EQ(numbers(), QString::fromLatin1(c.numbers));
    }
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
}

TEST_F(FaxSendTest, AnAcceptedFaxIsRecordedClearsTheListAndLowersTheBalanceExactly) {
    // Five lines at 0.3 cost 1.5, the whole balance; the number string runs past 50 characters.
    logIn();
    services().account->change([](AccountFields& a) {
        a.uid = QStringLiteral("demo ");
        a.pwd = QStringLiteral(" demo2026 ");
        a.money = QStringLiteral("1.5");
    });
    showScreen();
    QByteArray document("%PDF-1.4\n");
    document += QByteArray("\x00\xff\x10'", 4).repeated(64);
    prepare(QStringLiteral("0101234567,123\n02087654321\n0755 1234567\n02112345678\n01087654321"), document);
    control<QLineEdit>("men")->setText(QStringLiteral("O'Brien"));
    control<QLineEdit>("subjects")->setText(QStringLiteral("Q'4 报价 "));
    scriptFax(test::soapResult(" F20261211001 "));
    QStringList balancesShown;
    QObject::connect(&fax(), &Tf_fax::accountChanged, [&balancesShown](const AccountFields& a) {
        balancesShown << a.money;
    });

    sendButton()->click();
    EXPECT_EQ(shown(), QStringList{startNote});
    EXPECT_FALSE(sendButton()->isEnabled());
    EXPECT_TRUE(control<QProgressBar>("sendProgress")->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([this] { return sendButton()->isEnabled(); }, 60'000));

    const std::vector<sim::RecordedRequest> calls = requestsTo(test::kSoapPath);
    ASSERT_EQ(calls.size(), 1u);
    const QString numberString =
        QStringLiteral("0101234567,123,02087654321,07551234567,02112345678,01087654321");
    const std::vector<std::pair<std::string, std::string>> expected{
        {"uid", "demo "},
        {"pwd", "demo2026"},
        {"faxno", numberString.toStdString()},
        {"men", "O'Brien"},
        {"title", "Q'4 报价 "},
        {"Bytes", document.toBase64().toStdString()},
        {"FileName", "offer.pdf"}};
    ASSERT_EQ(calls[0].soapParams.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(calls[0].soapParams[i].name, expected[i].first);
        EXPECT_EQ(calls[0].soapParams[i].value, expected[i].second) << expected[i].first;
    }

    QSqlQuery row = services().database->execute(SqlText(
        QStringLiteral("select uid,snum,fcount,tmoney,faxno,linkman,subject,faxfile,tag from Faxlist")));
    ASSERT_TRUE(row.next());
    QStringList stored;
    for (int i = 0; i < 9; ++i)
        stored << row.value(i).toString();
    EXPECT_EQ(stored,
              (QStringList{"demo",
                           "F20261211001",
                           "5",
                           "0",
                           numberString.left(50),
                           "O'Brien",
                           "Q'4 报价",
                           "offer.pdf",
                           "成功"}));
    EXPECT_FALSE(row.next());

    EXPECT_EQ(numbers(), QString());
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("0"));
    EXPECT_EQ(balance(), QStringLiteral("0"));
    EXPECT_EQ(balancesShown, QStringList{QStringLiteral("0")});
    EXPECT_EQ(child<QLabel>(screens().Form3, "money")->text(), QStringLiteral("0"));
    EXPECT_EQ(shown(),
              (QStringList{startNote,
                           test::informed(QStringLiteral("提示"),
                                          QStringLiteral("传真发送成功！详细请查看 [传真记录]"))}));
    EXPECT_FALSE(control<QProgressBar>("sendProgress")->isVisible());
}

TEST_F(FaxSendTest, ResultCodesAndFailuresStoreNothingAndKeepTheBalance) {
    const QString unknown = QStringLiteral("未知错误！");
    const struct {
        sim::ScriptedReply reply;
        QString message; // empty: none after the start note
    } cases[] = {
        {test::soapResult("-01"), QStringLiteral("余额不足以本次操作,请重新登录再试")},
        {test::soapResult("-02"),
         QStringLiteral("很抱歉！您尚未开通传真服务，如需开通请与我们联系！祝您工作愉快！")},
        {test::soapResult("-03"), QStringLiteral("发送失败!密码验证失败，请重新登录 -03")},
        {test::soapResult("-09"), QStringLiteral("系统维护中..请稍侯再试！ -9")},
        {test::soapResult("-04"), QString()},
        {test::soapResult("000"), QString()},
        {test::soapResult(""), QString()},
        {test::soapResult(" -1 "), QString()},
        {[] {
             sim::ScriptedReply fault;
             fault.soapFault = "Server was unable to process request";
             return fault;
         }(),
         unknown},
        {test::dropped(), unknown},
        {test::body("<html>not a soap reply</html>"), unknown},
    };
    logInWith(QStringLiteral("10"));
    showScreen();
    prepare(QStringLiteral("0101234567\n0209876543"));
    for (const auto& c : cases) {
        scriptFax(c.reply);
        messages->shown.clear();
        send();
        QStringList expected{startNote};
        if (!c.message.isEmpty())
            expected << test::informed(QStringLiteral("提示"), c.message);
        EXPECT_EQ(shown(), expected);
        EXPECT_EQ(numbers(), QStringLiteral("0101234567\n0209876543"));
        EXPECT_EQ(balance(), QStringLiteral("10"));
    }
    EXPECT_EQ(requestsTo(test::kSoapPath).size(), std::size(cases));
    EXPECT_EQ(storedFaxes(), 0);
}

TEST_F(FaxSendTest, AnAcceptedFaxThatCannotBeRecordedIsReportedWithItsTaskNumber) {
    logInWith(QStringLiteral("1"));
    showScreen();
    prepare(QStringLiteral("0101234567"));
    services().database->execute(SqlText(QStringLiteral("drop table Faxlist")));
    scriptFax(test::soapResult("F7788"));
    send();
    ASSERT_EQ(messages->shown.size(), 2) << shown().join(QLatin1Char('\n')).toStdString();
    const MessageRequest& told = messages->shown[1];
    EXPECT_EQ(told.caption, QStringLiteral("提示"));
    const QString prefix = QStringLiteral("任务已提交成功！任务号：F7788，但本地记录保存失败：");
    EXPECT_TRUE(told.text.startsWith(prefix)) << told.text.toStdString();
    EXPECT_GT(told.text.size(), prefix.size());
    // The service charged the task: the balance says so; the numbers stay for the user.
    EXPECT_EQ(balance(), QStringLiteral("0.7"));
    EXPECT_EQ(numbers(), QStringLiteral("0101234567"));
}

TEST_F(FaxSendTest, ADocumentThatCannotBeReadEndsTheSendWithTheFileLayersReason) {
    logInWith(QStringLiteral("1"));
    showScreen();
    prepare(QStringLiteral("0101234567"));
    for (const QString& path : {file(QStringLiteral("gone.pdf")), folder()}) {
        control<QLineEdit>("select_faxfile")->setText(path);
        messages->shown.clear();
        sendButton()->click();
        ASSERT_EQ(messages->shown.size(), 2) << path.toStdString();
        EXPECT_EQ(messages->shown[1].caption, kApplicationTitle);
        EXPECT_FALSE(messages->shown[1].text.isEmpty());
        EXPECT_NE(messages->shown[1].text, QStringLiteral("未知错误！"));
        EXPECT_TRUE(sendButton()->isEnabled());
    }
    EXPECT_TRUE(requestsTo(test::kSoapPath).empty());
}

TEST_F(FaxSendTest, ATenMegabyteDocumentGoesOutWhileTheWindowKeepsWorking) {
    // The simulator's own service takes the fax: a number with its extension counts once.
    logInWith(QStringLiteral("1000"), QStringLiteral("0.2"));
    showScreen();
    QByteArray document(10 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < document.size(); ++i)
        document[i] = static_cast<char>(i * 7);
    prepare(QStringLiteral("0101234567,12\n02087654321"), document);
    sim::ScriptedReply slow;
    slow.delay = 300ms;
    scriptFax(slow);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    int largestShare = 0;
    QObject::connect(control<QProgressBar>("sendProgress"),
                     &QProgressBar::valueChanged,
                     [&largestShare](int v) { largestShare = std::max(largestShare, v); });

    sendButton()->click();
    EXPECT_FALSE(sendButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return sendButton()->isEnabled(); }, 120'000));

    EXPECT_GT(ticks, 0);
    EXPECT_EQ(largestShare, control<QProgressBar>("sendProgress")->maximum());
    const std::vector<sim::RecordedRequest> calls = requestsTo(test::kSoapPath);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(calls[0].soapParams[5].value)), document);
    QSqlQuery row = services().database->execute(SqlText(QStringLiteral("select snum, fcount from Faxlist")));
    ASSERT_TRUE(row.next());
    EXPECT_GE(row.value(0).toString().size(), 4);
    EXPECT_EQ(row.value(1).toInt(), 2);
    EXPECT_EQ(balance(), QStringLiteral("999.6"));
    EXPECT_EQ(sim.account("demo")->balance.toString(), "999.6");
}

class FaxSendFaultTest : public FaxSendTest, public ::testing::WithParamInterface<test::Fault> {};

TEST_P(FaxSendFaultTest, ShowsTheUnknownErrorAndStoresNothing) {
    logInWith(QStringLiteral("10"));
    showScreen();
    prepare(QStringLiteral("0101234567\n0209876543"));
    messages->shown.clear();
    const test::InjectedFault fault(sim, GetParam(), test::kSoapPath, "SendFax");
    send();
    EXPECT_EQ(shown(),
              (QStringList{startNote, test::informed(QStringLiteral("提示"), QStringLiteral("未知错误！"))}));
    EXPECT_EQ(storedFaxes(), 0);
    EXPECT_EQ(balance(), QStringLiteral("10"));
    EXPECT_EQ(numbers(), QStringLiteral("0101234567\n0209876543"));
    EXPECT_FALSE(control<QProgressBar>("sendProgress")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Faults, FaxSendFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

} // namespace
} // namespace parlumo
