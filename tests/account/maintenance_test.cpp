// The system maintenance screen: its tree's actions and the password change.
#include "account/maintenance_screen.h"
#include "data/database.h"
#include "main_window/main_window.h"
#include "service/http.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"
#include "text/excerpt.h"
#include "toolkit/picture_button.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>
#include <optional>

namespace parlumo {
namespace {

constexpr const char* kBalancePath = "/webservice/public/remoney.asp";
constexpr const char* kPasswordPath = "/webservice/public/editpwd.asp";

// Logged in as the demo account, with the maintenance screen shown in the main window.
class MaintenanceTest : public test::LoginTest {
protected:
    void SetUp() override {
        logInAsDemo();
        ASSERT_TRUE(screens().Form2->isVisible());
        QTest::mouseClick(child<PictureButton>(screens().Form2, "Image24"), Qt::LeftButton);
        ASSERT_TRUE(screen().isVisible());
        messages->shown.clear();
    }

    TForm7& screen() { return *screens().Form7; }

    QTreeWidgetItem* entry(const QString& text) {
        const QList<QTreeWidgetItem*> found =
            child<QTreeWidget>(screen(), "tv1")->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    // Clicks the entry as the user does.
    void choose(const QString& text) {
        QTreeWidgetItem* item = entry(text);
        ASSERT_NE(item, nullptr) << text.toStdString();
        QTest::mouseClick(child<QTreeWidget>(screen(), "tv1")->viewport(),
                          Qt::LeftButton,
                          {},
                          child<QTreeWidget>(screen(), "tv1")->visualItemRect(item).center());
        ASSERT_EQ(child<QTreeWidget>(screen(), "tv1")->currentItem(), item);
    }
};

TEST_F(MaintenanceTest, ShowsTheAccountAndTheExpandedTree) {
    EXPECT_EQ(child<QLabel>(screen(), "loginuser")->text(), "demo");
    EXPECT_EQ(child<QLabel>(screen(), "Label2")->text(), "当前版本号：4.4.0.0");
    QTreeWidgetItem* root = child<QTreeWidget>(screen(), "tv1")->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "系统维护");
    EXPECT_TRUE(root->isExpanded());
    QStringList children;
    for (int i = 0; i < root->childCount(); ++i)
        children << root->child(i)->text(0);
    EXPECT_EQ(children, (QStringList{"修改密码", "余额查询", "备份数据", "在线升级"}));
}

// The balance is shown as the service sends it and the account state keeps its own; choosing
// the selected entry again asks nothing, coming back to it from another entry asks again.
TEST_F(MaintenanceTest, BalanceQueryAsksOncePerChoice) {
    sim.script(kBalancePath, test::body("777.5"));
    choose("余额查询");
    choose("余额查询");
    EXPECT_EQ(shown(), QStringList{test::plain("您的余额是:777.5 元")});
    auto sent = requestsTo(kBalancePath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].query, "uid=demo&pwd=demo2026&proid=1");
    EXPECT_EQ(services().account->get().money, "1000");

    choose("修改密码");
    choose("余额查询");
    EXPECT_EQ(requestsTo(kBalancePath).size(), 2u);
    EXPECT_EQ(shown().last(), test::plain("您的余额是:1000 元"));
}

TEST_F(MaintenanceTest, BalanceOfAnUnreachableServiceIsEmpty) {
    sim.script(kBalancePath, test::dropped());
    choose("余额查询");
    EXPECT_EQ(shown(), QStringList{test::plain("您的余额是: 元")});
}

// The longest reply an account exchange reads shows cut; one byte more reads as no reply.
TEST_F(MaintenanceTest, BalanceRepliesAreBounded) {
    const qint64 limit = limits::kAccount.maxReplyBytes;
    const struct {
        qint64 size;
        QString shown;
    } cases[] = {{limit, "您的余额是:" + QString(kExcerptChars, QLatin1Char('8')) + "… 元"},
                 {limit + 1, "您的余额是: 元"}};
    for (const auto& c : cases) {
        messages->shown.clear();
        sim.script(kBalancePath, test::body(std::string(static_cast<size_t>(c.size), '8')));
        choose("修改密码");
        choose("余额查询");
        EXPECT_EQ(shown(), QStringList{test::plain(c.shown)}) << c.size;
    }
}

TEST_F(MaintenanceTest, OnlineUpgradeStartsTheUpdater) {
    ASSERT_TRUE(QDir().mkpath(file("backup/x")));
    choose("在线升级");
    EXPECT_FALSE(QFileInfo::exists(file("backup")));
    ASSERT_EQ(shell->calls.size(), 1);
    EXPECT_EQ(shell->calls[0].target, file("Update.exe"));
    EXPECT_TRUE(messages->shown.isEmpty());
}

struct PasswordCase {
    const char* name;
    QString oldPassword, newPassword;
    std::optional<sim::ScriptedReply> reply; // set: the request is sent and answered so
    QString message;
};

const QString kTooSimple = test::plain("密码太简单！建议字母+数字。");
const QString kRefused = test::informed("提示", "密码更改不成功！原因是：老密码不正确 或 新密码为空。!");
const QString kOtherError = test::informed("提示", "其它参数错误！");

// The checks in their order: the weak list first, then the old password and an empty new one.
const PasswordCase kPasswordCases[] = {
    {"weak_inside_an_entry", "demo2026", "4567", std::nullopt, kTooSimple},
    {"weak_across_a_comma", "demo2026", "789,987", std::nullopt, kTooSimple},
    {"weak_letters_entry", "demo2026", "qweqwe", std::nullopt, kTooSimple},
    {"weak_before_wrong_old", "wrong", "1111", std::nullopt, kTooSimple},
    {"wrong_old", "wrong", "Abc12345", std::nullopt, kRefused},
    {"empty_new", "demo2026", "   ", std::nullopt, kRefused},
    {"accepted",
     "demo2026",
     "Abc12345",
     test::body("000"),
     test::informed("提示", "密码更改成功,请重新登录 !")},
    {"other_reply", "demo2026", "Abc12345", test::body("-07"), kOtherError},
    {"unreachable", "demo2026", "Abc12345", test::dropped(), kOtherError},
};

TEST_F(MaintenanceTest, PasswordChangeChecksInOrder) {
    for (const PasswordCase& c : kPasswordCases) {
        SCOPED_TRACE(c.name);
        messages->shown.clear();
        const size_t before = requestsTo(kPasswordPath).size();
        if (c.reply)
            sim.script(kPasswordPath, *c.reply);
        child<QLineEdit>(screen(), "oldpwd")->setText(c.oldPassword);
        child<QLineEdit>(screen(), "newpwd")->setText(c.newPassword);
        child<QLineEdit>(screen(), "oldpwd")->setFocus();
        QTest::mouseClick(child<QPushButton>(screen(), "LbSpeedButton1"), Qt::LeftButton);
        EXPECT_EQ(shown(), QStringList{c.message});
        EXPECT_EQ(requestsTo(kPasswordPath).size(), before + (c.reply ? 1 : 0));
        if (c.message == kTooSimple) {
            EXPECT_EQ(screen().focusWidget(), child<QLineEdit>(screen(), "newpwd"));
        }
    }
}

// The service takes the trimmed new password; the account state keeps the old one.
TEST_F(MaintenanceTest, PasswordChangeSendsTheTrimmedValues) {
    child<QLineEdit>(screen(), "oldpwd")->setText(" demo2026 ");
    child<QLineEdit>(screen(), "newpwd")->setText(" Abc12345 ");
    screen().LbSpeedButton1Click();
    EXPECT_EQ(shown(), QStringList{test::informed("提示", "密码更改成功,请重新登录 !")});
    const auto sent = requestsTo(kPasswordPath);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].query, "uid=demo&pwd=demo2026&newpwd=Abc12345");
    EXPECT_EQ(sim.account("demo")->password, "Abc12345");
    EXPECT_EQ(services().account->get().pwd, "demo2026");
}

class MaintenanceFaultTest : public MaintenanceTest, public ::testing::WithParamInterface<test::Fault> {};

// A failed balance query shows no amount; what came instead of one is shown as it came.
TEST_P(MaintenanceFaultTest, BalanceQuery) {
    const test::InjectedFault fault(sim, GetParam(), kBalancePath);
    choose("余额查询");
    const QString amount = GetParam() == test::Fault::Malformed ? QString(test::kMalformedText) : QString();
    EXPECT_EQ(shown(), QStringList{test::plain("您的余额是:" + amount + " 元")});
    EXPECT_EQ(services().account->get().money, "1000");
    EXPECT_TRUE(screen().isEnabled());
}

TEST_P(MaintenanceFaultTest, PasswordChange) {
    child<QLineEdit>(screen(), "oldpwd")->setText("demo2026");
    child<QLineEdit>(screen(), "newpwd")->setText("Abc12345");
    const test::InjectedFault fault(sim, GetParam(), kPasswordPath);
    screen().LbSpeedButton1Click();
    EXPECT_EQ(shown(), QStringList{kOtherError});
    EXPECT_EQ(sim.account("demo")->password, "demo2026");
    EXPECT_EQ(services().account->get().pwd, "demo2026");
    EXPECT_TRUE(screen().isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Faults,
                         MaintenanceFaultTest,
                         ::testing::ValuesIn(test::kEveryFault),
                         test::FaultName());

int sendRows(const QString& path) {
    int rows = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "copy-check");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec("select count(*) from send where msg='备份'") && q.next())
                rows = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("copy-check");
    return rows;
}

TEST_F(MaintenanceTest, DatabaseCopyReplacesAnExistingFile) {
    services().database->execute(SqlText("insert into send (uid,msg) values ('demo','备份')"));
    ASSERT_TRUE(QDir().mkpath(file("copies")));
    const QString target = file("copies/old.db");
    writeBytes("copies/old.db", "not a database");
    fileDialogs->answers = {target};
    choose("备份数据");
    EXPECT_EQ(shown(), QStringList{test::plain("已成功备份至：" + target)});
    EXPECT_EQ(sendRows(target), 1);
    EXPECT_EQ(QDir(file("copies")).entryList(QDir::Files | QDir::Hidden), QStringList{"old.db"});
}

// Refusing the database itself, failing on a missing folder, and a cancelled dialog.
TEST_F(MaintenanceTest, DatabaseCopyFailuresAndCancel) {
    services().database->execute(SqlText("insert into send (uid,msg) values ('demo','备份')"));
    const struct {
        QString target;
        QStringList messages;
    } cases[] = {
        {file("db.db"), {test::plain("备份失败,请重来!")}},
        {file("no/such/folder/copy.db"), {test::plain("备份失败,请重来!")}},
        {QString(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        messages->shown.clear();
        fileDialogs->answers = {c.target};
        choose("系统维护");
        choose("备份数据");
        EXPECT_EQ(shown(), c.messages);
        EXPECT_EQ(sendRows(file("db.db")), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(file("no")));
}

} // namespace
} // namespace parlumo
