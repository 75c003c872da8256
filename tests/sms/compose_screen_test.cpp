#include "sms/compose_screen.h"

#include "contacts/address_book_screen.h"
#include "contacts/import_dialog.h"
#include "core/account_state.h"
#include "data/database.h"
#include "main_window/main_window.h"
#include "service/http.h"
#include "sms/news_fetch.h"
#include "sms/phrase_screen.h"
#include "tests/support/sim_fixture.h"
#include "toolkit/picture_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

namespace parlumo {
namespace {

class ComposeScreenTest : public test::ProgramWithSimulatorTest {
protected:
    TForm3& form() {
        TForm3& f = *screens().Form3;
        f.batchPause = std::chrono::milliseconds(0);
        f.newsDelay = std::chrono::milliseconds(0);
        return f;
    }
    void logIn(const QString& maxChars = "60") {
        services().account->change([&](AccountFields& a) {
            a.uid = "demo";
            a.pwd = "demo2026";
            a.money = "1000";
            a.dj = "0.08";
            a.MaxSmsChars = maxChars;
        });
    }
    // Waits, bounded, until the send button is enabled again after a job.
    bool waitForJob(TForm3& f) {
        return QTest::qWaitFor([&f] { return child<QPushButton>(f, "btsend")->isEnabled(); }, 20000);
    }
};

TEST_F(ComposeScreenTest, CleansAndCountsTheContentOnEveryChange) {
    const struct {
        const char* maxChars;
        int length;
        const char *size, *parts;
    } cases[] = {{"60", 60, "60", "1"},
                 {"60", 61, "60", "2"},
                 {"70", 70, "70", "1"},
                 {"70", 71, "67", "2"},
                 {"70", 135, "67", "3"},
                 {"67", 68, "67", "2"},
                 {"0", 61, "60", "2"},
                 {"", 0, "60", "0"}};
    for (const auto& c : cases) {
        logIn(c.maxChars);
        child<QPlainTextEdit>(form(), "txt")->setPlainText(QString(c.length, QChar(0x6D4B)));
        EXPECT_EQ(child<QLineEdit>(form(), "zf")->text(), QString::number(c.length));
        EXPECT_EQ(child<QLabel>(form(), "maxsmstxt")->text(), QString::fromLatin1(c.size))
            << c.maxChars << "/" << c.length;
        EXPECT_EQ(child<QLineEdit>(form(), "sendno")->text(), QString::fromLatin1(c.parts))
            << c.maxChars << "/" << c.length;
    }
    logIn("60");
    form().txtChange();
    EXPECT_EQ(child<QLabel>(form(), "Label15")->text(), QString::fromUtf8("个字计费，长短信按60个字计费"));
}

TEST_F(ComposeScreenTest, TypingEnterJoinsLinesAndQuotesTurnDouble) {
    logIn();
    TForm3& f = form();
    f.show();
    child<QPlainTextEdit>(f, "txt")->setFocus();
    QTest::keyClicks(child<QPlainTextEdit>(f, "txt"), "ab");
    QTest::keyClick(child<QPlainTextEdit>(f, "txt"), Qt::Key_Return);
    QTest::keyClicks(child<QPlainTextEdit>(f, "txt"), "c'd ");
    EXPECT_EQ(child<QPlainTextEdit>(f, "txt")->toPlainText(), QStringLiteral("abc\"d"));
    QTest::keyClicks(child<QPlainTextEdit>(f, "txt"), "e");
    EXPECT_EQ(child<QPlainTextEdit>(f, "txt")->toPlainText(), QStringLiteral("abc\"de"));
    EXPECT_EQ(child<QLineEdit>(f, "zf")->text(), QStringLiteral("6"));
}

TEST_F(ComposeScreenTest, CountsNumbersByTheListRule) {
    const struct {
        const char* numbers;
        const char* count;
    } cases[] = {{"13800000001\n\n13800000002", "2"}, {"13800000001,,13800000002", "3"}, {"", "0"}};
    for (const auto& c : cases) {
        child<QPlainTextEdit>(form(), "mob")->setPlainText(c.numbers);
        EXPECT_EQ(child<QLineEdit>(form(), "hm")->text(), QString::fromLatin1(c.count)) << c.numbers;
    }
    child<QPlainTextEdit>(form(), "mob")->setPlainText("13900000000\n13800000000\n13900000000");
    child<QPushButton>(form(), "LbSpeedButton5")->click();
    EXPECT_EQ(child<QPlainTextEdit>(form(), "mob")->toPlainText(),
              QStringLiteral("13800000000\n13900000000"));
    EXPECT_EQ(child<QLineEdit>(form(), "hm")->text(), QStringLiteral("2"));
}

TEST_F(ComposeScreenTest, TickingTheScheduleFillsSixtyMinutesEveryTime) {
    TForm3& f = form();
    f.setScheduleVisible(true);
    for (int i = 0; i < 2; ++i) {
        child<QCheckBox>(f, "chk1")->setChecked(true);
        f.chk1Click();
    }
    EXPECT_EQ(child<QComboBox>(f, "t_mm")->count(), 60);
    EXPECT_EQ(child<QComboBox>(f, "t_mm")->currentText(), QStringLiteral("00"));
    EXPECT_EQ(child<QComboBox>(f, "t_hh")->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(child<QComboBox>(f, "t_mm")->isEnabled());
    child<QCheckBox>(f, "chk1")->setChecked(false);
    f.chk1Click();
    EXPECT_FALSE(child<QDateEdit>(f, "t_date")->isEnabled());
    EXPECT_EQ(child<QComboBox>(f, "t_mm")->count(), 60);
}

TEST_F(ComposeScreenTest, LongMessageAsksAndCancelStartsNothing) {
    logIn("70");
    TForm3& f = form();
    child<QPlainTextEdit>(f, "txt")->setPlainText(QString(71, QLatin1Char('x')));
    child<QPlainTextEdit>(f, "mob")->setPlainText("13800000001\n13800000002");
    messages->answers = {MessageButton::Cancel};
    f.btsendClick();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].caption, QString::fromUtf8("长短信提醒"));
    EXPECT_EQ(messages->shown[0].text,
              QString::fromUtf8("短信内容超过 70 个字符，将按 2 x 2 =4条发送和计费。  确认继续发送吗？"));
    EXPECT_EQ(messages->shown[0].buttons, (QList<MessageButton>{MessageButton::Ok, MessageButton::Cancel}));
    EXPECT_TRUE(child<QPushButton>(f, "btsend")->isEnabled());
    EXPECT_TRUE(child<QWidget>(f, "Panel2")->isHidden());
    EXPECT_TRUE(requestsTo("/sys_port/gateway/index.asp").empty());
}

TEST_F(ComposeScreenTest, SendFromTheScreenLogsLowersTheBalanceAndClearsTheNumbers) {
    logIn();
    TForm3& f = form();
    child<QPlainTextEdit>(f, "txt")->setPlainText(QString::fromUtf8("你好"));
    child<QPlainTextEdit>(f, "mob")->setPlainText("13800000001\n13800000002");
    f.btsendClick();
    EXPECT_FALSE(child<QPushButton>(f, "btsend")->isEnabled());
    EXPECT_FALSE(child<QWidget>(f, "Panel2")->isHidden());
    ASSERT_TRUE(waitForJob(f));
    EXPECT_EQ(child<QPlainTextEdit>(f, "sendlog")->toPlainText().split('\n').last(),
              QString::fromUtf8("任务完成。"));
    EXPECT_EQ(child<QLabel>(f, "money")->text(), QStringLiteral("999.84"));
    EXPECT_TRUE(child<QPlainTextEdit>(f, "mob")->toPlainText().isEmpty());
    EXPECT_EQ(child<QLineEdit>(f, "hm")->text(), QStringLiteral("0"));
    EXPECT_TRUE(child<QPushButton>(f, "LbSpeedButton4")->isEnabled());
    EXPECT_EQ(sim.account("demo")->balance.toString(), "999.84");
    QSqlQuery rows = services().database->execute(SqlText("select count(*) from send where tag='成功'"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toInt(), 1);
    child<QPushButton>(f, "LbSpeedButton4")->click();
    EXPECT_TRUE(child<QWidget>(f, "Panel2")->isHidden());
    EXPECT_TRUE(child<QPlainTextEdit>(f, "sendlog")->toPlainText().isEmpty());
}

TEST_F(ComposeScreenTest, AScheduledSendPostsTheChosenDayAndTime) {
    logIn();
    TForm3& f = form();
    f.setScheduleVisible(true);
    child<QCheckBox>(f, "chk1")->setChecked(true);
    f.chk1Click();
    child<QDateEdit>(f, "t_date")->setDate(QDate(2026, 12, 24));
    child<QComboBox>(f, "t_hh")->setCurrentText("09");
    child<QComboBox>(f, "t_mm")->setCurrentText("05");
    child<QPlainTextEdit>(f, "txt")->setPlainText("hi");
    child<QPlainTextEdit>(f, "mob")->setPlainText("13800000001");
    f.btsendClick();
    ASSERT_TRUE(waitForJob(f));
    const auto posts = requestsTo("/sys_port/gateway/index.asp");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_THAT(posts[0].params, testing::Contains(sim::NamedValue{"time", "2026-12-24 09:05:00"}));
}

TEST_F(ComposeScreenTest, NumbersChangedDuringTheJobAreKept) {
    logIn();
    TForm3& f = form();
    child<QPlainTextEdit>(f, "txt")->setPlainText("hi");
    child<QPlainTextEdit>(f, "mob")->setPlainText("13800000001");
    f.btsendClick();
    child<QPlainTextEdit>(f, "mob")->appendPlainText(
        "13800000002"); // the job's signals wait for the event loop
    ASSERT_TRUE(waitForJob(f));
    EXPECT_EQ(child<QPlainTextEdit>(f, "mob")->toPlainText(), QStringLiteral("13800000001\n13800000002"));
}

// The way out warns of a running send, and leaving lets the batch on its way be logged.
TEST_F(ComposeScreenTest, ExitDuringASendWarnsAndLogsTheBatchOnItsWay) {
    logIn();
    sim::ScriptedReply slow;
    slow.status = 200;
    slow.body = "000";
    slow.delay = std::chrono::milliseconds(1000);
    sim.script("/sys_port/gateway/index.asp", slow);
    TForm3& f = form();
    child<QPlainTextEdit>(f, "txt")->setPlainText("hi");
    child<QPlainTextEdit>(f, "mob")->setPlainText("13800000001");
    f.btsendClick();
    // The first batch is on its way once the job has said so.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return child<QPlainTextEdit>(f, "sendlog")->toPlainText().contains(QString::fromUtf8("正在发送")); },
        10000));
    QTest::qWait(300);
    messages->answers = {MessageButton::Ok};
    QTest::mouseClick(child<PictureButton>(screens().Form2, "Image22"), Qt::LeftButton);
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].text,
              QString::fromUtf8("真的要退出吗？\r\n短信正在发送中：退出前将等待正在提交的一批完成并记录。"));
    f.stopWorkers(); // what the program's end does
    QSqlQuery rows = services().database->execute(SqlText("select count(*) from send where tag='成功'"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toInt(), 1);
}

TEST_F(ComposeScreenTest, AddressBookAndPhrasesOpenInTheMainWindowUnderTheirButtons) {
    TForm2& main = *screens().Form2;
    const struct {
        QPushButton* button;
        QWidget* screen;
        QWidget* marker;
    } cases[] = {
        {child<QPushButton>(form(), "LbSpeedButton1"),
         screens().Form4,
         child<PictureButton>(main, "Image28")},
        {child<QPushButton>(form(), "btfdy"), screens().Form5, child<PictureButton>(main, "Image26")}};
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(c.screen->parentWidget(), child<QWidget>(main, "Panel1"));
        EXPECT_EQ(child<QWidget>(main, "Panel1")->children().last(), c.screen);
        EXPECT_EQ(child<PictureButton>(main, "Image1")->x(), c.marker->x());
    }
}

// "Excel 中提取" opens the import dialog modally in the compose screen's mode.
TEST_F(ComposeScreenTest, SpreadsheetImportOpensTheImportDialogForThisScreen) {
    TForm9& import = *screens().Form9;
    bool shownModal = false;
    QTimer::singleShot(0, &import, [&] {
        shownModal = import.isVisible() && import.isModal();
        import.reject();
    });
    child<QPushButton>(form(), "LbSpeedButton3")->click();
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(child<QLineEdit>(import, "actionpg")->text(), "form3");
}

// Alone, without the program around it, the screen only asks: each request is one signal.
TEST_F(ComposeScreenTest, AloneItAsksOtherScreensThroughItsSignals) {
    TForm3 alone(services());
    QSignalSpy addressBook(&alone, &TForm3::addressBookRequested);
    QSignalSpy phrases(&alone, &TForm3::phrasesRequested);
    QSignalSpy import(&alone, &TForm3::spreadsheetImportRequested);
    QSignalSpy balance(&alone, &TForm3::balanceRefreshRequested);
    child<QPushButton>(alone, "LbSpeedButton1")->click();
    child<QPushButton>(alone, "btfdy")->click();
    child<QPushButton>(alone, "LbSpeedButton3")->click();
    QTest::mouseClick(child<QLabel>(alone, "Label26"), Qt::LeftButton);
    EXPECT_EQ(addressBook.size(), 1);
    EXPECT_EQ(phrases.size(), 1);
    ASSERT_EQ(import.size(), 1);
    EXPECT_EQ(import[0][0].toString(), "form3");
    EXPECT_EQ(balance.size(), 1);
    EXPECT_TRUE(requestsTo("/webservice/public/softlogin.asp").empty());
    EXPECT_FALSE(screens().Form4->isVisible());
}

TEST_F(ComposeScreenTest, ShowingTheScreenFetchesTheNews) {
    TForm3& f = form();
    f.show();
    ASSERT_TRUE(
        QTest::qWaitFor([&f] { return !child<QPlainTextEdit>(f, "info")->toPlainText().isEmpty(); }, 10000));
    EXPECT_FALSE(requestsTo("/softnews.htm").empty());
}

// One long line of news shows cut and wrapped at the memo's width; a page larger than a page's
// limit reads like no page at all.
TEST_F(ComposeScreenTest, NewsIsBoundedAndWraps) {
    const struct {
        const char* name;
        qint64 size;
        QString shown;
    } cases[] = {
        {"one long line", 1'000'000, QString(kMaxNewsChars, QLatin1Char('n')) + "…"},
        {"over the limit", limits::kPages.maxReplyBytes + 1, "无法连接消息服务器，请重新登录！"},
    };
    TForm3& f = form();
    auto* info = child<QPlainTextEdit>(f, "info");
    EXPECT_EQ(info->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(info->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const auto& c : cases) {
        sim::ScriptedReply page;
        page.status = 200;
        page.body = std::string(static_cast<size_t>(c.size), 'n');
        sim.script("/softnews.htm", page);
        f.Label16Click();
        ASSERT_TRUE(QTest::qWaitFor([info] { return !info->toPlainText().isEmpty(); }, 20000)) << c.name;
        EXPECT_EQ(info->toPlainText(), c.shown) << c.name;
    }
}

} // namespace
} // namespace parlumo
