#include "sms/compose_screen.h"

#include "app/account_state.h"
#include "app/main_window.h"
#include "contacts/address_book_screen.h"
#include "data/database.h"
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
#include <QSqlQuery>
#include <QTest>

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
        screens().services.account->change([&](AccountFields& a) {
            a.uid = "demo";
            a.pwd = "demo2026";
            a.money = "1000";
            a.dj = "0.08";
            a.MaxSmsChars = maxChars;
        });
    }
    // Waits, bounded, until the send button is enabled again after a job.
    bool waitForJob(TForm3& f) {
        return QTest::qWaitFor([&f] { return f.btsend->isEnabled(); }, 20000);
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
        form().txt->setPlainText(QString(c.length, QChar(0x6D4B)));
        EXPECT_EQ(form().zf->text(), QString::number(c.length));
        EXPECT_EQ(form().maxsmstxt->text(), QString::fromLatin1(c.size)) << c.maxChars << "/" << c.length;
        EXPECT_EQ(form().sendno->text(), QString::fromLatin1(c.parts)) << c.maxChars << "/" << c.length;
    }
    logIn("60");
    form().txtChange();
    EXPECT_EQ(form().Label15->text(), QString::fromUtf8("个字计费，长短信按60个字计费"));
}

TEST_F(ComposeScreenTest, TypingEnterJoinsLinesAndQuotesTurnDouble) {
    logIn();
    TForm3& f = form();
    f.show();
    f.txt->setFocus();
    QTest::keyClicks(f.txt, "ab");
    QTest::keyClick(f.txt, Qt::Key_Return);
    QTest::keyClicks(f.txt, "c'd ");
    EXPECT_EQ(f.txt->toPlainText(), QStringLiteral("abc\"d"));
    QTest::keyClicks(f.txt, "e");
    EXPECT_EQ(f.txt->toPlainText(), QStringLiteral("abc\"de"));
    EXPECT_EQ(f.zf->text(), QStringLiteral("6"));
}

TEST_F(ComposeScreenTest, CountsNumbersByTheListRule) {
    const struct {
        const char* numbers;
        const char* count;
    } cases[] = {{"13800000001\n\n13800000002", "2"}, {"13800000001,,13800000002", "3"}, {"", "0"}};
    for (const auto& c : cases) {
        form().mob->setPlainText(c.numbers);
        EXPECT_EQ(form().hm->text(), QString::fromLatin1(c.count)) << c.numbers;
    }
    form().mob->setPlainText("13900000000\n13800000000\n13900000000");
    form().LbSpeedButton5->click();
    EXPECT_EQ(form().mob->toPlainText(), QStringLiteral("13800000000\n13900000000"));
    EXPECT_EQ(form().hm->text(), QStringLiteral("2"));
}

TEST_F(ComposeScreenTest, TickingTheScheduleFillsSixtyMinutesEveryTime) {
    TForm3& f = form();
    f.setScheduleVisible(true);
    for (int i = 0; i < 2; ++i) {
        f.chk1->setChecked(true);
        f.chk1Click();
    }
    EXPECT_EQ(f.t_mm->count(), 60);
    EXPECT_EQ(f.t_mm->currentText(), QStringLiteral("00"));
    EXPECT_EQ(f.t_hh->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(f.t_mm->isEnabled());
    f.chk1->setChecked(false);
    f.chk1Click();
    EXPECT_FALSE(f.t_date->isEnabled());
    EXPECT_EQ(f.t_mm->count(), 60);
}

TEST_F(ComposeScreenTest, LongMessageAsksAndCancelStartsNothing) {
    logIn("70");
    TForm3& f = form();
    f.txt->setPlainText(QString(71, QLatin1Char('x')));
    f.mob->setPlainText("13800000001\n13800000002");
    messages->answers = {MessageButton::Cancel};
    f.btsendClick();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].caption, QString::fromUtf8("长短信提醒"));
    EXPECT_EQ(messages->shown[0].text,
              QString::fromUtf8("短信内容超过 70 个字符，将按 2 x 2 =4条发送和计费。  确认继续发送吗？"));
    EXPECT_EQ(messages->shown[0].buttons, (QList<MessageButton>{MessageButton::Ok, MessageButton::Cancel}));
    EXPECT_TRUE(f.btsend->isEnabled());
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_TRUE(requestsTo("/sys_port/gateway/index.asp").empty());
}

TEST_F(ComposeScreenTest, SendFromTheScreenLogsLowersTheBalanceAndClearsTheNumbers) {
    logIn();
    TForm3& f = form();
    f.txt->setPlainText(QString::fromUtf8("你好"));
    f.mob->setPlainText("13800000001\n13800000002");
    f.btsendClick();
    EXPECT_FALSE(f.btsend->isEnabled());
    EXPECT_FALSE(f.Panel2->isHidden());
    ASSERT_TRUE(waitForJob(f));
    EXPECT_EQ(f.sendlog->toPlainText().split('\n').last(), QString::fromUtf8("任务完成。"));
    EXPECT_EQ(f.money->text(), QStringLiteral("999.84"));
    EXPECT_TRUE(f.mob->toPlainText().isEmpty());
    EXPECT_EQ(f.hm->text(), QStringLiteral("0"));
    EXPECT_TRUE(f.LbSpeedButton4->isEnabled());
    EXPECT_EQ(sim.account("demo")->balance.toString(), "999.84");
    QSqlQuery rows =
        screens().services.database->execute(SqlText("select count(*) from send where tag='成功'"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toInt(), 1);
    f.LbSpeedButton4->click();
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_TRUE(f.sendlog->toPlainText().isEmpty());
}

TEST_F(ComposeScreenTest, NumbersChangedDuringTheJobAreKept) {
    logIn();
    TForm3& f = form();
    f.txt->setPlainText("hi");
    f.mob->setPlainText("13800000001");
    f.btsendClick();
    f.mob->appendPlainText("13800000002"); // the job's signals wait for the event loop
    ASSERT_TRUE(waitForJob(f));
    EXPECT_EQ(f.mob->toPlainText(), QStringLiteral("13800000001\n13800000002"));
}

TEST_F(ComposeScreenTest, AddressBookAndPhrasesOpenInTheMainWindowUnderTheirButtons) {
    TForm2& main = *screens().Form2;
    const struct {
        QPushButton* button;
        QWidget* screen;
        QWidget* marker;
    } cases[] = {{form().LbSpeedButton1, screens().Form4, main.Image28},
                 {form().btfdy, screens().Form5, main.Image26}};
    for (const auto& c : cases) {
        c.button->click();
        EXPECT_EQ(c.screen->parentWidget(), main.Panel1);
        EXPECT_EQ(main.Panel1->children().last(), c.screen);
        EXPECT_EQ(main.Image1->x(), c.marker->x());
    }
}

TEST_F(ComposeScreenTest, ShowingTheScreenFetchesTheNews) {
    TForm3& f = form();
    f.show();
    ASSERT_TRUE(QTest::qWaitFor([&f] { return !f.info->toPlainText().isEmpty(); }, 10000));
    EXPECT_FALSE(requestsTo("/softnews.htm").empty());
}

} // namespace
} // namespace parlumo
