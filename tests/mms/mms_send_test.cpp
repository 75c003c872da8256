#include "data/database.h"
#include "mms/mms_screen.h"
#include "service/http.h"
#include "sms/compose_screen.h"
#include "tests/mms/mms_screen_fixture.h"
#include "tests/support/faults.h"
#include "tests/support/marked_ranges.h"
#include "text/gbk.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSqlQuery>

namespace parlumo {
namespace {

using namespace std::chrono_literals;

const QString kAccepted = QStringLiteral("彩信的提交成功！手机收到仍需要一段时间,请您耐心等侯！");

class MmsSendTest : public test::MmsScreenTest {
protected:
    // A send that passes every check: three numbers and a picture of `pictureBytes` bytes.
    void fill(qint64 pictureBytes = 2000) {
        QByteArray picture(pictureBytes, '\0');
        for (qint64 i = 0; i < pictureBytes; ++i)
            picture[i] = static_cast<char>(i * 7 % 256);
        writeBytes("card.gif", picture);
        control<QPlainTextEdit>("mob")->setPlainText(QStringLiteral("13800000001\n13800000002\n13800000003"));
        control<QLineEdit>("mmstitle")->setText(QStringLiteral("O'Neil 公司"));
        control<QPlainTextEdit>("mmstxt")->setPlainText(QStringLiteral(" 新店开业，欢迎光临！ "));
        control<QLineEdit>("edtmmfile")->setText(file("card.gif"));
    }
    void send() { control<QPushButton>("LbSpeedButton3")->click(); }
    void scriptReply(sim::ScriptedReply reply) { sim.script(test::kSoapPath, std::move(reply), "SendMMS"); }
    std::vector<sim::RecordedRequest> calls() const { return requestsTo(test::kSoapPath); }
    int records() {
        QSqlQuery count = services().database->execute(SqlText("select count(*) from mms_list"));
        count.next();
        return count.value(0).toInt();
    }
    QString money() { return services().account->get().money; }
};

TEST_F(MmsSendTest, EachCheckStopsTheSendWithItsMessageAndFocus) {
    const struct {
        const char* what;
        std::function<void()> change;
        QString message;
        const char* focus;
    } cases[] = {
        {"no numbers",
         [this] { control<QPlainTextEdit>("mob")->clear(); },
         QStringLiteral("接收彩信的手机号码为空。"),
         "mob"},
        {"title left at the hint",
         [this] { control<QLineEdit>("mmstitle")->setText(kTitleHint); },
         QStringLiteral("请填写好彩信标题。"),
         "mmstitle"},
        {"title emptied by a click",
         [this] { QTest::mouseClick(control<QLineEdit>("mmstitle"), Qt::LeftButton); },
         QStringLiteral("请填写好彩信标题。"),
         "mmstitle"},
        {"501 characters with a picture",
         [this] { control<QPlainTextEdit>("mmstxt")->setPlainText(QString(501, 'x')); },
         QStringLiteral("内容超过长度。"),
         "mmstxt"},
        {"1001 characters of text",
         [this] {
             control<QRadioButton>("RadioButton2")->click();
             control<QPlainTextEdit>("mmstxt")->setPlainText(QString(1001, 'x'));
         },
         QStringLiteral("内容超过长度。"),
         "mmstxt"},
        {"balance a cent short of 3 x 0.25",
         [this] { logIn("0.74", "0.25"); },
         QStringLiteral("您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。"),
         nullptr},
        {"no picture",
         [this] { control<QLineEdit>("edtmmfile")->clear(); },
         QStringLiteral("没有选择彩信图片文件"),
         "edtmmfile"},
        {"picture of 100001 bytes",
         [this] { fill(100001); },
         QStringLiteral("彩信图片太大，建议在50K之内。"),
         "edtmmfile"},
    };
    form().show();
    for (const auto& c : cases) {
        logIn();
        fill();
        control<QRadioButton>("RadioButton1")->click();
        control<QPushButton>("btfdy")->setFocus();
        messages->shown.clear();
        c.change();
        send();
        EXPECT_EQ(shown(), QStringList{test::informed(QStringLiteral("提示"), c.message)}) << c.what;
        if (c.focus)
            EXPECT_EQ(form().focusWidget(), control<QWidget>(c.focus)) << c.what;
        EXPECT_TRUE(control<QPushButton>("LbSpeedButton3")->isEnabled()) << c.what;
    }
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(records(), 0);
}

// The words are checked after the screen's own checks, and a text without them goes out.
TEST_F(MmsSendTest, ForbiddenWordsInTheTextStopTheSendAfterTheOtherChecks) {
    writeBytes("keyword.txt", toGbk(QString::fromUtf8("开业\r\n光临\r\n")));
    const QString named = QString::fromUtf8("内容里包含违规关键字：“开业”、“光临”，请修改后再发送！");
    form().show();
    logIn("0.89");
    fill();
    send();
    EXPECT_EQ(
        shown(),
        QStringList{test::informed("提示", "您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。")});

    logIn();
    messages->shown.clear();
    send();
    EXPECT_EQ(shown(), QStringList{test::describe({QString::fromUtf8("提示"), named, MessageIcon::Warning})});
    EXPECT_EQ(test::markedRanges(control<QPlainTextEdit>("mmstxt")), (QStringList{"3-5", "8-10"}));
    EXPECT_EQ(form().focusWidget(), control<QWidget>("mmstxt"));
    EXPECT_TRUE(control<QPushButton>("LbSpeedButton3")->isEnabled());
    EXPECT_TRUE(calls().empty());

    control<QPlainTextEdit>("mmstxt")->setPlainText(QString::fromUtf8("新店欢迎您"));
    scriptReply(test::soapResult("-04"));
    send();
    ASSERT_TRUE(waitForSend());
    EXPECT_EQ(calls().size(), 1u);
    EXPECT_TRUE(test::markedRanges(control<QPlainTextEdit>("mmstxt")).isEmpty());
}

TEST_F(MmsSendTest, APictureThatCannotBeReadEndsTheSendWithTheFilesReason) {
    logIn();
    fill();
    control<QLineEdit>("edtmmfile")->setText(file("gone.gif"));
    send();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].caption, kApplicationTitle);
    EXPECT_FALSE(messages->shown[0].text.isEmpty());
    EXPECT_TRUE(control<QPushButton>("LbSpeedButton3")->isEnabled());
    EXPECT_TRUE(calls().empty());
}

TEST_F(MmsSendTest, AnAcceptedSendCarriesThePictureAndIsRecordedBilledAndClearsTheNumbers) {
    logIn(QStringLiteral("0.75"), QStringLiteral("0.25")); // exactly the cost of three numbers
    fill(100000);
    form().show();
    send();
    EXPECT_FALSE(control<QPushButton>("LbSpeedButton3")->isEnabled());
    EXPECT_FALSE(control<QProgressBar>("sendProgress")->isHidden());
    ASSERT_TRUE(waitForSend());
    EXPECT_TRUE(control<QProgressBar>("sendProgress")->isHidden());

    const std::vector<sim::RecordedRequest> sent = calls();
    ASSERT_EQ(sent.size(), 1u);
    const sim::RecordedRequest& call = sent[0];
    EXPECT_EQ(call.soapOperation, "SendMMS");
    std::vector<std::pair<std::string, std::string>> params;
    for (const sim::SoapParam& p : call.soapParams)
        params.emplace_back(p.name, p.value);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"uid", "demo"},
        {"pwd", "demo2026"},
        {"mobno", "13800000001,13800000002,13800000003"},
        {"title", "O'Neil 公司"},
        {"content", "新店开业，欢迎光临！"},
        {"Bytes", readBytes("card.gif").toBase64().toStdString()},
        {"mmsFileName", "card.gif"}};
    EXPECT_EQ(params, expected);

    EXPECT_EQ(shown(), QStringList{test::informed(QStringLiteral("提示"), kAccepted)});
    EXPECT_EQ(money(), QStringLiteral("0"));
    EXPECT_EQ(child<QLabel>(*screens().Form3, "money")->text(), QStringLiteral("0"));
    EXPECT_TRUE(control<QPlainTextEdit>("mob")->toPlainText().isEmpty());
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("0"));

    QSqlQuery row = services().database->execute(
        SqlText("select uid,snum,mobcount,mobno,title,coutent,mmsfiles,tag,intime from mms_list"));
    ASSERT_TRUE(row.next());
    EXPECT_GE(row.value(1).toString().size(), 4);
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("demo"));
    EXPECT_EQ(row.value(2).toInt(), 3);
    EXPECT_EQ(row.value(3).toString(), QStringLiteral("13800000001,13800000002,13800000003"));
    EXPECT_EQ(row.value(4).toString(), QStringLiteral("O'Neil 公司"));
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("新店开业，欢迎光临！"));
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("card.gif"));
    EXPECT_EQ(row.value(7).toString(), QStringLiteral("成功"));
    EXPECT_FALSE(row.value(8).toString().isEmpty());
    // The service billed the same three numbers.
    EXPECT_EQ(sim.account("demo")->balance.toString(), "999.25");
}

TEST_F(MmsSendTest, TextModeSendsAThousandCharactersWithoutBytesOrName) {
    logIn();
    fill();
    control<QRadioButton>("RadioButton2")->click();
    control<QLineEdit>("edtmmfile")->clear();
    control<QPlainTextEdit>("mmstxt")->setPlainText(QString(1000, QChar(0x5F69)));
    send();
    ASSERT_TRUE(waitForSend());
    const std::vector<sim::RecordedRequest> sent = calls();
    ASSERT_EQ(sent.size(), 1u);
    const auto& params = sent[0].soapParams;
    ASSERT_EQ(params.size(), 7u);
    EXPECT_EQ(params[5].name, "Bytes");
    EXPECT_EQ(params[5].value, "");
    EXPECT_EQ(params[6].name, "mmsFileName");
    EXPECT_EQ(params[6].value, "");
    EXPECT_EQ(shown(), QStringList{test::informed(QStringLiteral("提示"), kAccepted)});
    EXPECT_EQ(money(), QStringLiteral("9.1"));
}

TEST_F(MmsSendTest, RefusalsFaultsAndLostConnectionsChangeNothing) {
    const struct {
        sim::ScriptedReply reply;
        QString shown;
    } cases[] = {
        {test::soapResult("-01"), test::informed("提示", "余额不足以本次操作,请重新登录再试")},
        {test::soapResult("-02"),
         test::informed("提示", "很抱歉！您尚未开通彩信服务，如需开通请与我们联系！祝您工作愉快！")},
        {test::soapResult("-03"), test::informed("提示", "发送失败!密码验证失败，请重新登录 -03")},
        {test::soapResult("-04"), test::informed("提示", "参数不足")},
        {test::soapResult("-09"), test::informed("提示", "系统维护中..请稍侯再试！ -9")},
        {test::soapResult("000"), QString()},
        {test::soapResult(""), QString()},
        {test::soapResult(" 12 "), QString()},
        {[] {
             sim::ScriptedReply fault;
             fault.soapFault = "Server was unable to process request";
             return fault;
         }(),
         test::plain("本地错误")},
        {test::dropped(), test::plain("本地错误")},
        // The envelope around this result is larger than a SOAP reply may be.
        {test::soapResult(std::string(static_cast<size_t>(limits::kSoap.maxReplyBytes), '7')),
         test::plain("本地错误")},
    };
    logIn();
    for (const auto& c : cases) {
        fill();
        messages->shown.clear();
        scriptReply(c.reply);
        send();
        ASSERT_TRUE(waitForSend());
        EXPECT_EQ(shown(), c.shown.isEmpty() ? QStringList{} : QStringList{c.shown}) << c.shown.toStdString();
        EXPECT_EQ(money(), QStringLiteral("10"));
        EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("3"));
    }
    EXPECT_EQ(calls().size(), std::size(cases));
    EXPECT_EQ(records(), 0);
}

TEST_F(MmsSendTest, AnAcceptedTaskThatCannotBeRecordedIsStillBilledAndReported) {
    logIn();
    fill();
    services().database->execute(SqlText("drop table mms_list"));
    scriptReply(test::soapResult(" M20261211 "));
    send();
    ASSERT_TRUE(waitForSend());
    ASSERT_EQ(messages->shown.size(), 1);
    const QString text = messages->shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("任务已提交成功！任务号：M20261211，但本地记录保存失败：")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("mms_list"))) << text.toStdString();
    EXPECT_EQ(messages->shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(money(), QStringLiteral("9.1"));
    EXPECT_EQ(child<QLabel>(*screens().Form3, "money")->text(), QStringLiteral("9.1"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("3"));
}

TEST_F(MmsSendTest, NumbersAddedWhileTheCallRunsAreKept) {
    logIn();
    fill();
    sim::ScriptedReply slow = test::soapResult("M1000");
    slow.delay = 500ms;
    scriptReply(slow);
    send();
    send(); // the button is disabled: a second send does not start
    form().appendNumbers({"13900000009"});
    ASSERT_TRUE(waitForSend());
    EXPECT_EQ(calls().size(), 1u);
    EXPECT_EQ(shown(), QStringList{test::informed(QStringLiteral("提示"), kAccepted)});
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("4"));
    EXPECT_EQ(records(), 1);
}

class MmsSendFaultTest : public MmsSendTest, public ::testing::WithParamInterface<test::Fault> {};

TEST_P(MmsSendFaultTest, ShowsTheLocalErrorAndRecordsNothing) {
    logIn();
    fill();
    const test::InjectedFault fault(sim, GetParam(), test::kSoapPath, "SendMMS");
    send();
    ASSERT_TRUE(waitForSend());
    EXPECT_EQ(shown(), QStringList{test::plain("本地错误")});
    EXPECT_EQ(records(), 0);
    EXPECT_EQ(money(), QStringLiteral("10"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("3"));
}

INSTANTIATE_TEST_SUITE_P(Faults, MmsSendFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

} // namespace
} // namespace parlumo
