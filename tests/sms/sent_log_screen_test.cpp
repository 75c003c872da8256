#include "sms/sent_log_screen.h"

#include "core/account_state.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "tests/support/login_fixture.h"
#include "tests/support/record_lists.h"
#include "toolkit/picture_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>

namespace parlumo {
namespace {

// Columns of the list: tick, "状态", "数量", "发送时间", "短信内容".
constexpr int kTag = 1;
constexpr int kTime = 3;
constexpr int kContent = 4;

class SentLogTest : public test::ProgramTest {
protected:
    void SetUp() override {
        services().account->change([](AccountFields& a) { a.uid = QStringLiteral(" demo "); });
    }
    TForm8& form() { return *screens().Form8; }
    QTableView* grid() { return child<QTableView>(form(), "wwDBGrid1"); }
    QStringList listed(int column) { return test::listedColumn(grid(), column); }
    QString text(const char* name) { return child<QLineEdit>(form(), name)->text(); }
    void click(const char* name) { child<QPushButton>(form(), name)->click(); }

    void addBatch(const QString& msg,
                  const QString& tag = QStringLiteral("成功"),
                  const QString& mobno = QStringLiteral("13800000001"),
                  const QString& intime = {},
                  const QString& uid = QStringLiteral("demo")) {
        SqlText insert(QStringLiteral("insert into send(uid,mobno,num,msg,tag"));
        insert.add(intime.isEmpty() ? QStringLiteral(") values(") : QStringLiteral(",intime) values("));
        insert.value(uid).add(QStringLiteral(",")).value(mobno).add(QStringLiteral(",1,"));
        insert.value(msg).add(QStringLiteral(",")).value(tag);
        if (!intime.isEmpty())
            insert.add(QStringLiteral(",")).value(intime);
        services().database->execute(insert.add(QStringLiteral(")")));
    }
    QStringList storedContents() {
        QSqlQuery rows =
            services().database->execute(SqlText(QStringLiteral("select msg from send order by sid")));
        QStringList contents;
        while (rows.next())
            contents << rows.value(0).toString();
        return contents;
    }
    void selectNode(const QString& caption) {
        auto* tree = child<QTreeWidget>(form(), "tv1");
        const QList<QTreeWidgetItem*> found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        tree->setCurrentItem(found.first());
    }
    void search(const QDate& first, const QDate& last, const QString& key) {
        child<QDateEdit>(form(), "sdate")->setDate(first);
        child<QDateEdit>(form(), "edate")->setDate(last);
        child<QLineEdit>(form(), "mobkey")->setText(key);
        click("btsch");
    }
    QStringList shown() const {
        QStringList lines;
        for (const MessageRequest& m : messages->shown)
            lines << test::describe(m);
        return lines;
    }
    static QString warned(const QString& text) {
        return test::describe(MessageRequest{QStringLiteral("提示"), text, MessageIcon::Warning});
    }
};

TEST_F(SentLogTest, FirstShowListsTheAccountsNewestBatchesAndKeepsThatList) {
    addBatch("one");
    addBatch("two", "失败");
    addBatch("theirs", "成功", "13800000009", {}, "other");
    addBatch("three");
    form().show();
    EXPECT_EQ(listed(kContent), (QStringList{"three", "two", "one"}));
    EXPECT_EQ(listed(kTag), (QStringList{"成功", "失败", "成功"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("3"));
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
    EXPECT_TRUE(child<QTreeWidget>(form(), "tv1")->topLevelItem(0)->isExpanded());
    EXPECT_EQ(child<QDateEdit>(form(), "sdate")->date(), QDate::currentDate().addDays(-7));
    EXPECT_EQ(child<QDateEdit>(form(), "edate")->date(), QDate::currentDate());
    EXPECT_FALSE(listed(kTime).first().isEmpty());

    // Focusing the tree makes its first node current without selecting it: no query runs.
    services().database->execute(SqlText(QStringLiteral("delete from send where msg='one'")));
    auto* tree = child<QTreeWidget>(form(), "tv1");
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(tree, &focus);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(listed(kContent), (QStringList{"three", "two", "one"}));

    // Shown again, the screen keeps its list and sets the dates anew.
    addBatch("four");
    child<QDateEdit>(form(), "sdate")->setDate(QDate(2008, 1, 1));
    form().hide();
    form().show();
    EXPECT_EQ(listed(kContent), (QStringList{"three", "two", "one"}));
    EXPECT_EQ(child<QDateEdit>(form(), "sdate")->date(), QDate::currentDate().addDays(-7));
}

TEST_F(SentLogTest, StatusNodesListTheirClassNewestFirst) {
    addBatch("ok1");
    addBatch("fail1", "失败");
    addBatch("draft", "草稿箱");
    addBatch("fail2", "失败了");
    addBatch("theirs", "失败", "13800000009", {}, "other");
    addBatch("ok2");
    form().show();
    const struct {
        const char* node;
        QStringList contents;
    } cases[] = {{"发送失败", {"fail2", "fail1"}},
                 {"发送成功", {"ok2", "ok1"}},
                 {"待发送", {"draft"}},
                 {"短信发送记录[全部]", {"ok2", "fail2", "draft", "fail1", "ok1"}}};
    for (const auto& c : cases) {
        selectNode(QString::fromUtf8(c.node));
        EXPECT_EQ(listed(kContent), c.contents) << c.node;
        EXPECT_EQ(text("allmobno"), QString::number(c.contents.size())) << c.node;
    }
}

TEST_F(SentLogTest, SearchListsTheRangeStrictlyInsideItsDaysOldestFirstWhateverTheStatus) {
    const struct {
        const char* intime;
        const char* msg;
    } rows[] = {{"2008-11-26 23:59:59", "26 last second"},
                {"2008-11-27 23:59:59", "27 last second"},
                {"2008-11-27 00:00:00", "27 midnight"},
                {"2008-11-27 00:00:01", "27 first second"},
                {"2008-11-27 08:30:00", "27 morning"},
                {"2008-11-27 23:59:58", "27 second before last"},
                {"2008-11-28 00:00:00", "28 midnight"},
                {"2008-11-28 00:00:01", "28 first second"}};
    for (const auto& row : rows)
        addBatch(row.msg, "失败", "13800000001", row.intime);
    addBatch("27 morning theirs", "成功", "13800000009", "2008-11-27 08:30:00", "other");
    form().show();
    selectNode(QStringLiteral("发送成功"));
    ASSERT_TRUE(listed(kContent).isEmpty());

    const struct {
        QDate first, last;
        QStringList contents;
    } cases[] = {
        {{2008, 11, 27}, {2008, 11, 27}, {"27 first second", "27 morning", "27 second before last"}},
        {{2008, 11, 26},
         {2008, 11, 27},
         {"26 last second", "27 midnight", "27 first second", "27 morning", "27 second before last"}},
        {{2008, 11, 27},
         {2008, 11, 28},
         {"27 last second",
          "27 first second",
          "27 morning",
          "27 second before last",
          "28 midnight",
          "28 first second"}},
        {{2008, 11, 28}, {2008, 11, 27}, {}},
    };
    for (const auto& c : cases) {
        search(c.first, c.last, QString());
        EXPECT_EQ(listed(kContent), c.contents) << c.first.toString().toStdString();
        EXPECT_EQ(text("allmobno"), QString::number(c.contents.size()));
    }
    // Within the range, the content must hold the word.
    search({2008, 11, 27}, {2008, 11, 27}, QStringLiteral("  morning "));
    EXPECT_EQ(listed(kContent), QStringList{"27 morning"});
}

TEST_F(SentLogTest, SearchMatchesTheWordLiterally) {
    const QString day = QDate::currentDate().toString(Qt::ISODate);
    for (const char* msg : {"100%好", "100好", "a_b", "axb", "it's", "its", "c:\\x", "c:x"})
        addBatch(QString::fromUtf8(msg), "成功", "13800000001", day + QStringLiteral(" 12:00:00"));
    form().show();
    const struct {
        const char* key;
        QStringList contents;
    } cases[] = {{"%", {"100%好"}},
                 {"0%好", {"100%好"}},
                 {"_", {"a_b"}},
                 {"'", {"it's"}},
                 {"\\", {"c:\\x"}},
                 {"好", {"100%好", "100好"}},
                 {"", {"100%好", "100好", "a_b", "axb", "it's", "its", "c:\\x", "c:x"}}};
    for (const auto& c : cases) {
        search(QDate::currentDate(), QDate::currentDate(), QString::fromUtf8(c.key));
        EXPECT_EQ(listed(kContent), c.contents) << c.key;
    }
}

TEST_F(SentLogTest, DeleteRemovesTheTickedBatchesWithoutAsking) {
    for (const char* msg : {"one", "two", "three", "four"})
        addBatch(msg);
    form().show();
    click("btde");
    EXPECT_EQ(shown(), QStringList{warned("记录为空.请选择记录！")});
    EXPECT_EQ(storedContents().size(), 4);

    messages->shown.clear();
    test::tickRow(grid(), 0);
    test::tickRow(grid(), 2);
    EXPECT_EQ(text("selmobno"), QStringLiteral("2"));
    click("btde");
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_EQ(storedContents(), (QStringList{"one", "three"}));
    EXPECT_EQ(listed(kContent), (QStringList{"three", "one"}));
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
    EXPECT_EQ(text("allmobno"), QStringLiteral("2"));
}

TEST_F(SentLogTest, SelectAllTicksAsManyRowsAsTheListHas) {
    for (int i = 0; i < 300; ++i)
        addBatch(QStringLiteral("m%1").arg(i));
    form().show();
    child<QCheckBox>(form(), "CheckBox1")->click();
    EXPECT_EQ(text("selmobno"), text("allmobno"));
    EXPECT_EQ(text("selmobno"), QStringLiteral("300"));
    child<QCheckBox>(form(), "CheckBox1")->click();
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
}

TEST_F(SentLogTest, NumbersOfTheTickedBatchesGoToTheComposeAndMmsScreens) {
    addBatch("a", "成功", "13800000001,13800000002");
    addBatch("b", "成功", "13800000003");
    addBatch("c", "失败", "13800000004,13800000005");
    form().show();
    for (const char* button : {"btsend", "LbSpeedButton1"})
        click(button);
    EXPECT_EQ(shown(), (QStringList{warned("请选择记录！"), warned("请选择记录！")}));

    child<QPlainTextEdit>(*screens().Form3, "mob")->setPlainText("13900000000");
    test::tickRow(grid(), 2);
    test::tickRow(grid(), 0);
    test::tickRow(grid(), 1);
    click("btsend");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form3, "mob")->toPlainText(),
              QStringLiteral("13900000000\n13800000001\n13800000002\n13800000004\n13800000005\n13800000003"));
    TForm2& main = *screens().Form2;
    EXPECT_EQ(child<QWidget>(main, "Panel1")->children().last(), screens().Form3);
    EXPECT_EQ(child<PictureButton>(main, "Image1")->x(), child<PictureButton>(main, "Image30")->x());

    test::tickRow(grid(), 0, false);
    click("LbSpeedButton1");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form14, "mob")->toPlainText(),
              QStringLiteral("13800000001\n13800000002\n13800000003"));
    EXPECT_EQ(child<QLineEdit>(*screens().Form14, "hm")->text(), QStringLiteral("3"));
    EXPECT_EQ(child<QWidget>(main, "Panel1")->children().last(), screens().Form14);
    EXPECT_EQ(child<PictureButton>(main, "Image1")->x(), child<PictureButton>(main, "Image5")->x());
    EXPECT_EQ(messages->shown.size(), 2);
}

TEST_F(SentLogTest, RetryOfTheTickedBatchesTakesOnlyTheFailedOnes) {
    addBatch("a", "成功", "13800000001,13800000002");
    addBatch("b", "失败", "13800000003,13800000004");
    addBatch("c", "失败（网络）", "13800000005");
    addBatch("d", "草稿", "13800000006");
    form().show();
    click("resendFailed");
    EXPECT_EQ(shown(), QStringList{warned("请选择记录！")});

    // Listed newest first: d, c, b, a.
    test::tickRow(grid(), 0);
    test::tickRow(grid(), 3);
    click("resendFailed");
    EXPECT_EQ(shown(), (QStringList{warned("请选择记录！"), warned("选中的记录里没有发送失败的号码！")}));
    EXPECT_TRUE(child<QPlainTextEdit>(*screens().Form3, "mob")->toPlainText().isEmpty());

    test::tickRow(grid(), 2);
    test::tickRow(grid(), 1);
    click("resendFailed");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form3, "mob")->toPlainText(),
              QStringLiteral("13800000003\n13800000004\n13800000005"));
    EXPECT_EQ(child<QWidget>(*screens().Form2, "Panel1")->children().last(), screens().Form3);
    EXPECT_EQ(messages->shown.size(), 2);
}

TEST_F(SentLogTest, ExportWritesTheListedBatches) {
    addBatch("first, \"quoted\"", "成功", "13800000001,13800000002", "2026-01-02 03:04:05");
    addBatch("second", "失败", "13800000003", "2026-01-03 03:04:05");
    addBatch("theirs", "成功", "13800000009", {}, "other");
    form().show();
    fileDialogs->answers = {file(QStringLiteral("log.xlsx"))};
    click("btexou");
    EXPECT_EQ(shown(),
              QStringList{test::describe(MessageRequest{"导出", "数据导出成功!", MessageIcon::Warning})});
    const SpreadsheetReader sheet = SpreadsheetReader::open(file(QStringLiteral("log.xlsx")));
    ASSERT_EQ(sheet.usedRows(), 3);
    const QList<QStringList> expected{
        {"手机号码", "状态", "发送时间", "短信内容"},
        {"13800000003", "失败", "2026-01-03 03:04:05", "second"},
        {"13800000001,13800000002", "成功", "2026-01-02 03:04:05", "first, \"quoted\""}};
    for (int row = 1; row <= 3; ++row) {
        QStringList cells;
        for (int column = 1; column <= 4; ++column)
            cells << sheet.cell(row, column);
        EXPECT_EQ(cells, expected[row - 1]);
    }
}

TEST_F(SentLogTest, TheCurrentBatchsNumbersGoToATextFileAndTheClipboard) {
    addBatch("older", "成功", "13800000003");
    addBatch("newer", "成功", "13800000001,13800000002");
    form().show();
    EXPECT_EQ(child<QPlainTextEdit>(form(), "DBMemo1")->toPlainText(),
              QStringLiteral("13800000001,13800000002"));

    click("LbSpeedButton2");
    ASSERT_EQ(fileDialogs->requests.size(), 1);
    EXPECT_EQ(fileDialogs->requests[0].filter, QStringLiteral("*.txt|.txt|*.text|.text"));
    EXPECT_TRUE(messages->shown.isEmpty());

    const QString chosen = file(QStringLiteral("numbers.txt"));
    fileDialogs->answers = {chosen};
    click("LbSpeedButton2");
    EXPECT_EQ(readBytes(QStringLiteral("numbers.txt.text")), QByteArray("13800000001\r\n13800000002\r\n"));
    EXPECT_EQ(shown(),
              QStringList{test::plain(QStringLiteral("成功导出至：") + chosen + QStringLiteral(".text"))});

    messages->shown.clear();
    click("LbSpeedButton5");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("13800000001\n13800000002"));
    EXPECT_EQ(shown(), QStringList{test::plain(QStringLiteral("已复制。按Ctrl+V粘贴号码。"))});

    // Ticks do not count: the current row does.
    test::tickRow(grid(), 0);
    click("btnt");
    EXPECT_EQ(child<QPlainTextEdit>(form(), "DBMemo1")->toPlainText(), QStringLiteral("13800000003"));
    click("LbSpeedButton5");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("13800000003"));
    click("btnt");
    click("btpv");
    EXPECT_EQ(child<QPlainTextEdit>(form(), "DBMemo1")->toPlainText(),
              QStringLiteral("13800000001,13800000002"));
}

} // namespace
} // namespace parlumo
