#include "voice/voice_task_page.h"

#include "data/spreadsheet_reader.h"
#include "sms/compose_screen.h"
#include "tests/support/faults.h"
#include "tests/support/marked_ranges.h"
#include "tests/voice/voice_fixture.h"
#include "text/excerpt.h"
#include "text/gbk.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextCursor>

namespace parlumo {
namespace {

class VoiceTaskPageTest : public test::VoiceScreenTest {
protected:
    QPlainTextEdit* v_no() { return child<QPlainTextEdit>(form(), "v_no"); }
    QPlainTextEdit* v_txt() { return child<QPlainTextEdit>(form(), "v_txt"); }
    QString hm() { return child<QLineEdit>(form(), "hm")->text(); }

    void scriptVoice(sim::ScriptedReply reply) { sim.script("/Service.asmx", std::move(reply), "SendVoice"); }
    // The parameters of the SendVoice calls, name=value, in the order they arrived.
    QList<QStringList> voiceCalls() {
        QList<QStringList> calls;
        for (const sim::RecordedRequest& r : requestsTo("/Service.asmx")) {
            if (r.soapOperation != "SendVoice")
                continue;
            QStringList params;
            for (const sim::SoapParam& p : r.soapParams)
                params << QString::fromStdString(p.name + "=" + p.value);
            calls << params;
        }
        return calls;
    }
    void chooseRecording(const QString& path) {
        child<QRadioButton>(form(), "RadioButton3")->click();
        fileDialogs->answers << path;
        child<QPushButton>(form(), "bt8")->click();
    }
};

TEST_F(VoiceTaskPageTest, TheChecksStopInOrderWithTheirMessageAndFocus) {
    logIn();
    showActive();
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    EXPECT_EQ(shown(), QStringList{test::informed("提示", "被叫号码不能为空！")});
    EXPECT_EQ(form().focusWidget(), v_no());

    v_no()->setPlainText("13800000000");
    const struct {
        const char* text;
        bool refused;
    } texts[] = {{"1234", true}, {"测试", true}, {"12345", false}, {"测试测", false}};
    for (const auto& c : texts) {
        messages->shown.clear();
        scriptVoice(test::soapResult("-02"));
        v_txt()->setPlainText(QString::fromUtf8(c.text));
        ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
        if (c.refused) {
            EXPECT_EQ(shown(), QStringList{test::informed("提示", "语音文字不能少于5个字符 ")}) << c.text;
            EXPECT_EQ(form().focusWidget(), v_txt());
        } else {
            EXPECT_EQ(shown(), QStringList{test::informed("登录提示", "任务发送失败！错误码：-02")}) << c.text;
        }
    }
    EXPECT_EQ(voiceCalls().size(), 2);

    // A recording is needed in recording mode, whatever the text; a file that cannot be read
    // ends the send with the file's reason.
    messages->shown.clear();
    v_txt()->setPlainText("1");
    child<QRadioButton>(form(), "RadioButton3")->click();
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    EXPECT_EQ(shown(), QStringList{test::informed("提示", " 请选择录音文件，大小最好不要超过2M。格式是*.WAV ")});
    messages->shown.clear();
    chooseRecording(file("absent.wav"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(shown()[0], test::informed("提示", "您选择的是自有录音文件上传方式，因为网速原因,请您耐心等侯！"));
    EXPECT_EQ(messages->shown[1].caption, kApplicationTitle);
    EXPECT_FALSE(messages->shown[1].text.isEmpty());
    EXPECT_EQ(voiceCalls().size(), 2);
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("13800000000"));
}

// A spoken text is checked after its length; a recording goes out without the text, unchecked.
TEST_F(VoiceTaskPageTest, ForbiddenWordsInTheSpokenTextStopTheTask) {
    writeBytes("keyword.txt", toGbk(QString::fromUtf8("发票\r\n")));
    const QString named = QString::fromUtf8("内容里包含违规关键字：“发票”，请修改后再发送！");
    logIn();
    showActive();
    v_no()->setPlainText("13800000000");
    const struct {
        const char* text;
        QString shown;
        QStringList marked;
    } cases[] = {
        {"发票", test::informed("提示", "语音文字不能少于5个字符 "), {}},
        {"请开发票给我", test::describe({QString::fromUtf8("提示"), named, MessageIcon::Warning}), {"2-4"}},
    };
    for (const auto& c : cases) {
        messages->shown.clear();
        v_txt()->setPlainText(QString::fromUtf8(c.text));
        ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
        EXPECT_EQ(shown(), QStringList{c.shown}) << c.text;
        EXPECT_EQ(test::markedRanges(v_txt()), c.marked) << c.text;
        EXPECT_EQ(form().focusWidget(), v_txt()) << c.text;
    }
    EXPECT_TRUE(voiceCalls().empty());

    writeBytes("rec.wav", QByteArray("RIFF", 4));
    chooseRecording(file("rec.wav"));
    scriptVoice(test::soapResult("-04"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    EXPECT_EQ(voiceCalls().size(), 1);
}

TEST_F(VoiceTaskPageTest, TheCallCarriesTheTaskInTheOperationsOrder) {
    logIn();
    v_no()->setPlainText("13800000000\n02012345678\n");
    v_txt()->setPlainText(" 您好，明天开会 ");
    child<QLineEdit>(form(), "v_svrno")->setText(" 01088886666,13900000000 ");
    for (const char* radio : {"RadioButton1", "RadioButton2"}) {
        scriptVoice(test::soapResult("-04"));
        child<QRadioButton>(form(), radio)->click();
        ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    }
    const QStringList synthesis{"uid=demo",
                                "pwd=demo2026",
                                "vto=13800000000,02012345678,",
                                "vtxt=您好，明天开会",
                                "mode=1",
                                "FileBytes=",
                                "svrno=01088886666,13900000000",
                                "str_time=",
                                "end_time="};
    EXPECT_EQ(voiceCalls(), (QList<QStringList>{synthesis, synthesis}));

    writeBytes("rec.wav", QByteArray("RIFF\0\x01\xff", 7));
    chooseRecording(file("rec.wav"));
    EXPECT_FALSE(v_txt()->isEnabled());
    scriptVoice(test::soapResult("-04"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    ASSERT_EQ(voiceCalls().size(), 3);
    const QStringList recording = voiceCalls()[2];
    EXPECT_EQ(recording[3], QStringLiteral("vtxt=NOTXT"));
    EXPECT_EQ(recording[4], QStringLiteral("mode=3"));
    EXPECT_EQ(recording[5], QStringLiteral("FileBytes=") + QString::fromLatin1(QByteArray("RIFF\0\x01\xff", 7).toBase64()));
}

TEST_F(VoiceTaskPageTest, RefusalsFaultsAndDroppedConnectionsStoreNothingAndKeepTheBalance) {
    logIn(QStringLiteral("100"));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    sim::ScriptedReply fault;
    fault.soapFault = "Server was unable to process request";
    const struct {
        sim::ScriptedReply reply;
        QString message;
    } cases[] = {
        {test::soapResult("-03"), test::informed("发送提示", "任务发送失败！账号或密码错误！请重新登录！错误码：-03")},
        {test::soapResult("-01"), test::informed("登录提示", "任务发送失败！您的余额不足以支持本次操作！错误码：-01")},
        {test::soapResult("-09"), test::informed("登录提示", "任务发送失败！系统维护中.请销侯再试。错误码：-09")},
        {test::soapResult("-02"), test::informed("登录提示", "任务发送失败！错误码：-02")},
        {test::soapResult(""), test::informed("登录提示", "任务发送失败！错误码：")},
        {fault, test::informed("登录提示", "未知错误！可能由网络引起，请咨询相关人员。错误码：")},
        {test::dropped(), test::informed("登录提示", "未知错误！可能由网络引起，请咨询相关人员。错误码：")},
    };
    for (const auto& c : cases) {
        messages->shown.clear();
        scriptVoice(c.reply);
        ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
        EXPECT_EQ(shown(), QStringList{c.message});
        EXPECT_TRUE(child<QProgressBar>(form(), "sendProgress")->isHidden());
    }
    EXPECT_TRUE(vlistRows().isEmpty());
    EXPECT_EQ(money(), QStringLiteral("100"));
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("13800000000"));
}

TEST_F(VoiceTaskPageTest, AnAcceptedTaskLowersTheBalanceThenTellsThenRecordsThenEmptiesTheNumbers) {
    const struct {
        const char* money;
        const char* after;
    } balances[] = {{"1", "0.4"}, {"0.6", "0"}, {"0.5", "-0.1"}};
    for (const auto& b : balances) {
        logIn(QString::fromLatin1(b.money), QStringLiteral("0.2"));
        QStringList changed;
        const QMetaObject::Connection watch = QObject::connect(
            &form(), &TForm12::accountChanged, [&changed](const AccountFields& a) { changed << a.money; });
        messages->shown.clear();
        v_no()->setPlainText("13800000000\n02012345678\n13900000000");
        v_txt()->setPlainText("明天上午9点到'会议室'开会");
        scriptVoice(test::soapResult("V20261211000042"));
        ASSERT_TRUE(clickAndWait("LbSpeedButton2"));

        EXPECT_EQ(money(), QString::fromLatin1(b.after)) << b.money;
        EXPECT_EQ(changed, QStringList{QString::fromLatin1(b.after)});
        QObject::disconnect(watch);
        EXPECT_EQ(shown(), QStringList{test::informed("登录提示", "任务发送成功！任务号：V20261211000042")});
        EXPECT_TRUE(v_no()->toPlainText().isEmpty());
        EXPECT_EQ(hm(), QStringLiteral("0"));
    }
    const QStringList record{"demo",
                             "V20261211000042",
                             "1",
                             "3",
                             "13800000000,02012345678,13900000000",
                             "0",
                             "明天上午9点到'会议室'开会",
                             "",
                             "成功"};
    EXPECT_EQ(vlistRows(), (QList<QStringList>{record, record, record}));
}

TEST_F(VoiceTaskPageTest, TheBalanceReachesTheAccountPanel) {
    logIn(QStringLiteral("10"), QStringLiteral("0.2"));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    scriptVoice(test::soapResult("V20261211000001"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    EXPECT_EQ(child<QLabel>(*screens().Form3, "money")->text(), QStringLiteral("9.8"));
}

TEST_F(VoiceTaskPageTest, ARecordingTaskStoresTheFileNameAndTheText) {
    logIn();
    writeBytes("会议通知.wav", QByteArray(64, 'w'));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("  留在框里的文字 ");
    chooseRecording(file("会议通知.wav"));
    scriptVoice(test::soapResult("V7777"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    ASSERT_EQ(vlistRows().size(), 1);
    EXPECT_EQ(vlistRows()[0],
              (QStringList{"demo", "V7777", "3", "1", "13800000000", "0", "留在框里的文字", "会议通知.wav", "成功"}));
}

TEST_F(VoiceTaskPageTest, ATaskTheDatabaseRefusesIsReportedWithItsNumberAndTheReason) {
    logIn(QStringLiteral("10"));
    services().database->execute(SqlText(QStringLiteral("drop table vlist")));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    scriptVoice(test::soapResult("V20261211000043"));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    ASSERT_EQ(messages->shown.size(), 2);
    EXPECT_EQ(shown()[0], test::informed("登录提示", "任务发送成功！任务号：V20261211000043"));
    EXPECT_EQ(messages->shown[1].caption, QStringLiteral("提示"));
    EXPECT_TRUE(messages->shown[1].text.startsWith(
        QStringLiteral("任务已提交成功！任务号：V20261211000043，但本地记录保存失败：")))
        << messages->shown[1].text.toStdString();
    EXPECT_TRUE(messages->shown[1].text.contains(QStringLiteral("vlist"))) << messages->shown[1].text.toStdString();
    EXPECT_EQ(money(), QStringLiteral("9.8"));
}

// A task number too long to read in a message shows cut in both messages.
TEST_F(VoiceTaskPageTest, ALongTaskNumberShowsCut) {
    logIn(QStringLiteral("10"));
    services().database->execute(SqlText(QStringLiteral("drop table vlist")));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    scriptVoice(test::soapResult("V" + std::string(5000, '7')));
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    const QString shownNumber = "V" + QString(kExcerptChars - 1, QLatin1Char('7')) + "…";
    ASSERT_EQ(messages->shown.size(), 2);
    EXPECT_EQ(shown()[0], test::informed("登录提示", "任务发送成功！任务号：" + shownNumber));
    EXPECT_TRUE(messages->shown[1].text.startsWith("任务已提交成功！任务号：" + shownNumber + "，但本地记录保存失败："))
        << messages->shown[1].text.toStdString();
}

TEST_F(VoiceTaskPageTest, TheSendButtonIsDisabledWhileTheServiceAnswers) {
    logIn();
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    sim::ScriptedReply slow = test::soapResult("V20261211000001");
    slow.delay = std::chrono::milliseconds(500);
    scriptVoice(slow);
    auto* send = child<QPushButton>(form(), "LbSpeedButton2");
    send->click();
    EXPECT_FALSE(send->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(form(), "sendProgress")->isHidden());
    // Numbers added while the task is on its way stay.
    form().appendNumbers({"13900000000"});
    ASSERT_TRUE(QTest::qWaitFor([send] { return send->isEnabled(); }, 30000));
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("13800000000\n13900000000"));
    EXPECT_EQ(vlistRows().size(), 1);
}

TEST_F(VoiceTaskPageTest, TheModesSwitchTheModeCodeTheTextAndTheRecordingPanel) {
    form().show();
    auto* mode = child<QLineEdit>(form(), "mode");
    auto* panel = child<QWidget>(form(), "Panel3");
    EXPECT_TRUE(child<QRadioButton>(form(), "RadioButton2")->isChecked());
    EXPECT_EQ(mode->text(), QStringLiteral("1"));
    EXPECT_FALSE(panel->isVisible());
    v_txt()->setPlainText("kept");
    child<QRadioButton>(form(), "RadioButton3")->click();
    EXPECT_EQ(mode->text(), QStringLiteral("3"));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(v_txt()->isEnabled());
    EXPECT_EQ(v_txt()->toPlainText(), QStringLiteral("kept"));
    child<QRadioButton>(form(), "RadioButton1")->click();
    EXPECT_EQ(mode->text(), QStringLiteral("1"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(v_txt()->isEnabled());
}

TEST_F(VoiceTaskPageTest, BrowsingStartsInTheSampleFolderAndListeningShowsNothing) {
    form().show();
    chooseRecording(file("声音文件/示例语音.wav"));
    ASSERT_EQ(fileDialogs->requests.size(), 1);
    EXPECT_EQ(fileDialogs->requests[0].filter,
              QStringLiteral("声音文件.wav|*.wav|声音文件.WAV|*.WAV|所有文件.*|*.*"));
    EXPECT_EQ(fileDialogs->requests[0].startFolder, file("声音文件"));
    EXPECT_EQ(child<QLineEdit>(form(), "v_file")->text(), file("声音文件/示例语音.wav"));
    fileDialogs->answers << QString();
    child<QPushButton>(form(), "bt8")->click();
    EXPECT_EQ(child<QLineEdit>(form(), "v_file")->text(), file("声音文件/示例语音.wav"));

    // A file the player cannot play stays silent.
    child<QPushButton>(form(), "sounbt")->click();
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(VoiceTaskPageTest, TheSpokenTextIsOneParagraphAndCounted) {
    form().setSpokenText("第一行\n第二行");
    EXPECT_EQ(v_txt()->toPlainText(), QStringLiteral("第一行第二行"));
    EXPECT_EQ(child<QLineEdit>(form(), "zf")->text(), QStringLiteral("6"));
}

TEST_F(VoiceTaskPageTest, TheNumberMemoTakesDigitsEntriesAndItsOperations) {
    showActive();
    v_no()->setFocus();
    QTest::keyClicks(v_no(), "12a3-");
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("123"));
    v_no()->clear();

    auto* inmob = child<QLineEdit>(form(), "inmob");
    EXPECT_EQ(inmob->maxLength(), 15);
    const struct {
        const char* entry;
        bool accepted;
    } entries[] = {{"123456789", false}, {"2123456789", false}, {"0123456789", true}, {"1380000000", true}};
    for (const auto& e : entries) {
        messages->shown.clear();
        inmob->setText(QString::fromLatin1(e.entry));
        inmob->setFocus();
        QTest::keyClick(inmob, Qt::Key_Return);
        EXPECT_EQ(shown(), e.accepted ? QStringList() : QStringList{test::plain("号码格式有误！")}) << e.entry;
        EXPECT_EQ(inmob->text().isEmpty(), e.accepted) << e.entry;
    }
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("0123456789\n1380000000"));
    EXPECT_EQ(hm(), QStringLiteral("2"));

    form().appendNumbers({"0123456789", "02000000000"});
    child<QPushButton>(form(), "LbSpeedButton7")->click();
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("0123456789\n02000000000\n1380000000"));
    EXPECT_EQ(hm(), QStringLiteral("3"));
    QTextCursor caret = v_no()->textCursor();
    caret.setPosition(12);
    v_no()->setTextCursor(caret);
    child<QPushButton>(form(), "LbSpeedButton600")->click();
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("0123456789\n1380000000"));

    fileDialogs->answers << file("numbers.xlsx");
    child<QPushButton>(form(), "LbSpeedButton8")->click();
    const SpreadsheetReader sheet = SpreadsheetReader::open(file("numbers.xlsx"));
    EXPECT_EQ(sheet.cell(1, 1), QStringLiteral("被叫号码"));
    EXPECT_EQ(sheet.cell(3, 1), QStringLiteral("1380000000"));

    writeBytes("numbers.txt", "13800000001\r\n13800000002\r\n");
    fileDialogs->answers << file("numbers.txt");
    child<QPushButton>(form(), "LbSpeedButton59")->click();
    EXPECT_EQ(fileDialogs->requests.last().filter,
              QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*"));
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("13800000001\n13800000002"));
    EXPECT_EQ(hm(), QStringLiteral("2"));

    child<QPushButton>(form(), "LbSpeedButton9")->click();
    EXPECT_TRUE(v_no()->toPlainText().isEmpty());
    EXPECT_EQ(hm(), QStringLiteral("0"));
}

TEST_F(VoiceTaskPageTest, TheImportButtonsAskTheOtherScreens) {
    // Only the request is looked at: the program's import dialog would wait for the user.
    QObject::disconnect(&form(), &TForm12::spreadsheetImportRequested, nullptr, nullptr);
    QSignalSpy addressBook(&form(), &TForm12::addressBookRequested);
    QSignalSpy spreadsheet(&form(), &TForm12::spreadsheetImportRequested);
    QSignalSpy phrases(&form(), &TForm12::phrasesRequested);
    child<QPushButton>(form(), "LbSpeedButton3")->click();
    child<QPushButton>(form(), "LbSpeedButton4c")->click();
    child<QPushButton>(form(), "btfdy")->click();
    EXPECT_EQ(addressBook.size(), 1);
    ASSERT_EQ(spreadsheet.size(), 1);
    EXPECT_EQ(spreadsheet[0][0].toString(), QStringLiteral("form12"));
    EXPECT_EQ(phrases.size(), 1);
}

class VoiceTaskFaultTest : public VoiceTaskPageTest, public ::testing::WithParamInterface<test::Fault> {};

TEST_P(VoiceTaskFaultTest, ShowsTheUnknownErrorAndStoresNothing) {
    logIn(QStringLiteral("100"));
    v_no()->setPlainText("13800000000");
    v_txt()->setPlainText("请按时参加会议");
    const test::InjectedFault fault(sim, GetParam(), "/Service.asmx", "SendVoice");
    ASSERT_TRUE(clickAndWait("LbSpeedButton2"));
    EXPECT_EQ(shown(),
              QStringList{test::informed("登录提示", "未知错误！可能由网络引起，请咨询相关人员。错误码：")});
    EXPECT_TRUE(child<QProgressBar>(form(), "sendProgress")->isHidden());
    EXPECT_TRUE(vlistRows().isEmpty());
    EXPECT_EQ(money(), QStringLiteral("100"));
    EXPECT_EQ(v_no()->toPlainText(), QStringLiteral("13800000000"));
}

INSTANTIATE_TEST_SUITE_P(Faults, VoiceTaskFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

} // namespace
} // namespace parlumo
