#include "sms/replies_screen.h"

#include "core/account_state.h"
#include "core/settings.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "main_window/main_window.h"
#include "service/http.h"
#include "sms/compose_screen.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"
#include "tests/support/record_lists.h"
#include "toolkit/picture_button.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace parlumo {
namespace {

constexpr const char* kReplyBox = "/sys_port/Gateway/mo.asp";

// Columns of the list: tick, "手机号码", "姓名", "端口", "回复时间", "回内容".
constexpr int kNumber = 1;
constexpr int kName = 2;
constexpr int kTime = 4;
constexpr int kText = 5;

sim::ScriptedReply delayed(std::chrono::milliseconds delay) {
    sim::ScriptedReply reply;
    reply.delay = delay;
    return reply;
}

class RepliesTest : public test::ProgramWithSimulatorTest {
protected:
    void SetUp() override {
        services().account->change([](AccountFields& a) {
            a.uid = QStringLiteral(" demo ");
            a.pwd = QStringLiteral("demo2026 ");
        });
    }
    TForm6& form() { return *screens().Form6; }
    QTableView* grid() { return child<QTableView>(form(), "wwDBGrid1"); }
    QStringList listed(int column) { return test::listedColumn(grid(), column); }
    QString text(const char* name) { return child<QLineEdit>(form(), name)->text(); }
    QTimer* timer() { return child<QTimer>(form(), "Timer1"); }
    void click(const char* name) { child<QPushButton>(form(), name)->click(); }

    // "刷新接收", then the wait, bounded, for the answer to be handled.
    void refresh() {
        click("LbSpeedButton1");
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form().fetching(); }, 20000));
    }
    void addStored(const QString& mobno, const QString& msg, const QString& uid = QStringLiteral("demo")) {
        services().database->execute(
            SqlText(QStringLiteral("insert into backsms(uid,mobno,msg,msp,intime) values("))
                .value(uid)
                .add(QStringLiteral(","))
                .value(mobno)
                .add(QStringLiteral(","))
                .value(msg)
                .add(QStringLiteral(",'106','2026-01-05 08:00:00')")));
    }
    void addContact(const QString& mobno, const QString& name, const QString& uid = QStringLiteral("demo")) {
        services().database->execute(SqlText(QStringLiteral("insert into telbook(mobno,tname,uid) values("))
                                         .value(mobno)
                                         .add(QStringLiteral(","))
                                         .value(name)
                                         .add(QStringLiteral(","))
                                         .value(uid)
                                         .add(QStringLiteral(")")));
    }
    // Every stored reply as "uid|mobno|msg|msp|intime", oldest first.
    QStringList stored() {
        return test::rowLines(services().database->execute(
            SqlText(QStringLiteral("select uid,mobno,msg,msp,intime from backsms order by bid"))));
    }
    void search(int by, const QString& key) {
        child<QComboBox>(form(), "ComboBox1")->setCurrentIndex(by);
        child<QLineEdit>(form(), "keystr")->setText(key);
        click("btsch");
    }
};

TEST_F(RepliesTest, ShowingListsTheAccountsRepliesAndStartsThePoll) {
    addStored("13800000001", "mine");
    addStored("13800000002", "theirs", "other");
    EXPECT_FALSE(timer()->isActive());
    form().show();
    EXPECT_EQ(listed(kText), QStringList{"mine"});
    EXPECT_EQ(text("allmobno"), QStringLiteral("1"));
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 8000);
    EXPECT_TRUE(requestsTo(kReplyBox).empty());
    EXPECT_EQ(child<QComboBox>(form(), "ComboBox1")->currentText(), QStringLiteral("按号码"));
    EXPECT_EQ(child<QLineEdit>(form(), "keystr")->maxLength(), 20);
}

TEST_F(RepliesTest, AFetchStoresTheRepliesListsThemAndStopsThePoll) {
    sim.addReply("demo", "13800000001", "收到 谢谢", "10690888", "2026-1-5 8:03:04");
    sim.addReply("demo", "13800000002", "it's 'quoted' / a^b", "10690999", "昨天 下午");
    sim.addReply("demo", "13800000003", "好的");
    sim.addReply("someone", "13800000009", "not ours");
    form().show();
    refresh();

    const QStringList rows = stored();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], QStringLiteral("demo|13800000001|收到 谢谢|10690888|2026-01-05 08:03:04"));
    EXPECT_EQ(rows[1], QStringLiteral("demo|13800000002|it's 'quoted' / a b|10690999|昨天 下午"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^demo\\|13800000003\\|好的\\|10690888\\|"
                                                  "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                    .match(rows[2])
                    .hasMatch())
        << rows[2].toStdString();
    EXPECT_EQ(listed(kNumber), (QStringList{"13800000003", "13800000002", "13800000001"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("3"));
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(messages->shown.isEmpty());

    const auto requests = requestsTo(kReplyBox);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].query, "id=demo&pwd=demo2026");
    EXPECT_EQ(requests[0].body, "");
}

TEST_F(RepliesTest, AnAnswerWithoutRecordsChangesNothingAndThePollGoesOn) {
    form().show();
    addStored("13800000001", "stored meanwhile");
    for (const char* answer : {"-01", "", "000"}) {
        sim.script(kReplyBox, test::body(answer));
        form().Timer1Timer();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form().fetching(); }, 20000));
        EXPECT_TRUE(timer()->isActive()) << answer;
        EXPECT_EQ(text("allmobno"), QStringLiteral("0")) << answer;
    }
    EXPECT_EQ(requestsTo(kReplyBox).size(), 3u);
    EXPECT_EQ(stored().size(), 1);
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(RepliesTest, AFailedExchangeStopsThePollAndListsAgainSilently) {
    sim::ScriptedReply serverError;
    serverError.status = 500;
    serverError.body = "error";
    // More than the reply box reads.
    const sim::ScriptedReply tooLarge =
        test::body(std::string(static_cast<size_t>(limits::kReplies.maxReplyBytes) + 1, '|'));
    for (const sim::ScriptedReply& failure : {test::dropped(), serverError, tooLarge}) {
        form().show();
        addStored("13800000001", "stored meanwhile");
        sim.script(kReplyBox, failure);
        refresh();
        EXPECT_FALSE(timer()->isActive());
        EXPECT_EQ(listed(kText).first(), QStringLiteral("stored meanwhile"));
        form().hide();
    }
    EXPECT_EQ(text("allmobno"), QStringLiteral("3"));
    EXPECT_TRUE(messages->shown.isEmpty());
}

class RepliesFaultTest : public RepliesTest, public ::testing::WithParamInterface<test::Fault> {};

// Nothing is stored or shown and the screen takes input. A failed exchange stops the poll and
// lists again; a garbage answer holds no record, changes nothing and the poll goes on.
TEST_P(RepliesFaultTest, ReplyBoxFetch) {
    addStored("13800000001", "stored before");
    form().show();
    addStored("13800000002", "stored meanwhile");
    const test::InjectedFault fault(sim, GetParam(), kReplyBox);
    refresh();
    const bool garbage = GetParam() == test::Fault::Malformed;
    EXPECT_EQ(timer()->isActive(), garbage);
    EXPECT_EQ(stored().size(), 2);
    const QStringList listedAgain{"stored meanwhile", "stored before"};
    EXPECT_EQ(listed(kText), garbage ? QStringList{"stored before"} : listedAgain);
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_TRUE(child<QPushButton>(form(), "LbSpeedButton1")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Faults, RepliesFaultTest, ::testing::ValuesIn(test::kEveryFault), test::FaultName());

TEST_F(RepliesTest, AnUnreadableRecordEndsTheStoringAndKeepsTheOnesBefore) {
    sim.script(kReplyBox,
               test::body("13800000001|a/b|106|2026-01-05 08:00:00<br>13800000002|b|106<br>"
                          "13800000003|c|106|2026-01-05 08:00:02<br>"));
    form().show();
    refresh();
    EXPECT_EQ(stored(), QStringList{"demo|13800000001|a/b|106|2026-01-05 08:00:00"});
    EXPECT_EQ(listed(kText), QStringList{"a/b"});
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(RepliesTest, ARefreshClickNeverSwitchesThePollOn) {
    form().show();
    sim.addReply("demo", "13800000001", "one");
    refresh();
    ASSERT_FALSE(timer()->isActive());

    sim.script(kReplyBox, test::body("-01"));
    refresh();
    EXPECT_FALSE(timer()->isActive());
    sim.addReply("demo", "13800000002", "two");
    refresh();
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(stored().size(), 2);

    // Only becoming visible again starts it.
    form().hide();
    form().show();
    EXPECT_TRUE(timer()->isActive());
}

TEST_F(RepliesTest, OneFetchAtATimeWhileTheWindowStaysResponsive) {
    sim.addReply("demo", "13800000001", "one");
    sim.script(kReplyBox, delayed(std::chrono::milliseconds(1500)));
    form().show();
    click("LbSpeedButton1");
    EXPECT_TRUE(form().fetching());
    click("LbSpeedButton1");
    form().Timer1Timer();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form().fetching(); }, 20000));
    EXPECT_EQ(requestsTo(kReplyBox).size(), 1u);
    EXPECT_EQ(stored().size(), 1);

    // The next click fetches again.
    refresh();
    EXPECT_EQ(requestsTo(kReplyBox).size(), 2u);
}

TEST_F(RepliesTest, StoppingAbandonsARunningFetch) {
    sim.addReply("demo", "13800000001", "late");
    sim.script(kReplyBox, delayed(std::chrono::seconds(30)));
    form().show();
    click("LbSpeedButton1");
    ASSERT_TRUE(form().fetching());
    form().stopWorkers();
    // The service has not answered yet: the fetch was not waited for.
    EXPECT_TRUE(requestsTo(kReplyBox).empty());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !form().fetching(); }, 5000));
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(RepliesTest, ClosingTheProgramJoinsARunningFetch) {
    QTemporaryDir otherFolder;
    const Settings settings(QDir(otherFolder.path()).filePath(QStringLiteral("ovarn.ini")));
    settings.WriteSetting(QStringLiteral("service"), QStringLiteral("host"), base());
    sim.addReply("demo", "13800000001", "late");
    sim.script(kReplyBox, delayed(std::chrono::seconds(30)));
    auto other = std::make_unique<Program>(otherFolder.path(),
                                           Seams{std::make_unique<test::RecordingMessageBoxes>(),
                                                 std::make_unique<test::RecordingFileDialogs>(),
                                                 std::make_unique<test::RecordingShell>()});
    other->services().account->change([](AccountFields& a) {
        a.uid = QStringLiteral("demo");
        a.pwd = QStringLiteral("demo2026");
    });
    TForm6& replies = *other->screens().Form6;
    replies.show();
    replies.LbSpeedButton1Click();
    ASSERT_TRUE(replies.fetching());
    other.reset();
    EXPECT_TRUE(requestsTo(kReplyBox).empty());
}

TEST_F(RepliesTest, NamesComeFromTheAccountsOwnAddressBook) {
    addContact("13800000001", "张三");
    addContact("13800000001", "别人的", "other");
    addContact("13800000002", "李四");
    addContact("13800000002", "李四二");
    addContact("13800000003", "别人的", "other");
    addStored("13800000001", "one");
    addStored("13800000002", "two");
    addStored("13800000003", "three");
    form().show();
    EXPECT_EQ(listed(kText), (QStringList{"three", "two", "two", "one"}));
    QStringList names = listed(kName);
    std::sort(names.begin() + 1, names.begin() + 3);
    EXPECT_EQ(names, (QStringList{"", "李四", "李四二", "张三"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("4"));

    // A reply listed twice is ticked once for both rows.
    test::tickRow(grid(), 1);
    EXPECT_EQ(text("selmobno"), QStringLiteral("2"));

    fileDialogs->answers = {file(QStringLiteral("replies.xlsx"))};
    click("btexou");
    const SpreadsheetReader sheet = SpreadsheetReader::open(file(QStringLiteral("replies.xlsx")));
    ASSERT_EQ(sheet.usedRows(), 5);
    QStringList header, last;
    for (int column = 1; column <= 5; ++column) {
        header << sheet.cell(1, column);
        last << sheet.cell(5, column);
    }
    EXPECT_EQ(header, (QStringList{"回复手机号码", "名片夹姓名", "端口", "回复时间", "回复内容"}));
    EXPECT_EQ(last, (QStringList{"13800000001", "张三", "106", "2026-01-05 08:00:00", "one"}));
}

TEST_F(RepliesTest, SearchLooksAtTheNumberOrTheTextLiterally) {
    addStored("13800000001", "好的");
    addStored("13900000002", "不好 100%");
    addStored("13800000003", "OK");
    addStored("13900000004", "it's ok", "other");
    form().show();
    const struct {
        int by;
        const char* key;
        QStringList texts;
    } cases[] = {{0, " 139 ", {"不好 100%"}},
                 {0, "1380", {"OK", "好的"}},
                 {1, "好", {"不好 100%", "好的"}},
                 {1, "%", {"不好 100%"}},
                 {1, "ok", {}},
                 {1, "'", {}},
                 {0, "", {"OK", "不好 100%", "好的"}}};
    for (const auto& c : cases) {
        search(c.by, QString::fromUtf8(c.key));
        EXPECT_EQ(listed(kText), c.texts) << c.key;
        EXPECT_EQ(text("allmobno"), QString::number(c.texts.size())) << c.key;
    }
}

TEST_F(RepliesTest, DeleteRemovesTheCurrentReplyAndSearchesAgain) {
    addStored("13800000001", "keep one");
    addStored("13800000002", "other text");
    addStored("13800000003", "keep two");
    addStored("13800000004", "keep three");
    form().show();
    search(1, QStringLiteral("keep"));
    ASSERT_EQ(listed(kText), (QStringList{"keep three", "keep two", "keep one"}));
    for (int row = 0; row < 3; ++row)
        test::tickRow(grid(), row);
    click("btnt");
    EXPECT_EQ(child<QLineEdit>(form(), "replyNumber")->text(), QStringLiteral("13800000003"));
    click("btde");
    EXPECT_EQ(listed(kText), (QStringList{"keep three", "keep one"}));
    EXPECT_EQ(stored().size(), 3);
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(RepliesTest, TheCurrentReplysDetailFollowsTheRow) {
    addContact("13800000002", "李四");
    addStored("13800000001", "first");
    addStored("13800000002", "second");
    form().show();
    const auto detail = [this] {
        return QStringList{text("replyNumber"),
                           text("replyTime"),
                           child<QPlainTextEdit>(form(), "replyText")->toPlainText(),
                           text("replyPort"),
                           text("replyName")};
    };
    EXPECT_EQ(detail(), (QStringList{"13800000002", "2026-01-05 08:00:00", "second", "106", "李四"}));
    click("btnt");
    EXPECT_EQ(detail(), (QStringList{"13800000001", "2026-01-05 08:00:00", "first", "106", ""}));
    click("btpv");
    EXPECT_EQ(detail()[0], QStringLiteral("13800000002"));
    EXPECT_EQ(listed(kTime).size(), 2);
}

TEST_F(RepliesTest, AnsweringHandsTheTickedNumbersToTheComposeScreen) {
    addStored("13800000001", "a");
    addStored("13800000002", "b");
    addStored("13800000003", "c");
    form().show();
    click("btsend");
    EXPECT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(test::describe(messages->shown[0]),
              test::describe(MessageRequest{"提示", "请选择记录！", MessageIcon::Warning}));

    test::tickRow(grid(), 2);
    test::tickRow(grid(), 0);
    click("btsend");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form3, "mob")->toPlainText(),
              QStringLiteral("13800000001\n13800000003"));
    TForm2& main = *screens().Form2;
    EXPECT_EQ(child<QWidget>(main, "Panel1")->children().last(), screens().Form3);
    EXPECT_EQ(child<PictureButton>(main, "Image1")->x(), child<PictureButton>(main, "Image30")->x());
}

} // namespace
} // namespace parlumo
