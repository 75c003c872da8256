// The first show of the login screen: the settings it reads, the registration button and the
// background picture.
#include "main_window/main_window.h"
#include "tests/support/login_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>

namespace parlumo {
namespace {

struct StoredLogin {
    const char* name;
    QString uid, pwd;
    bool remembered;
    bool focusInPwd;
};

class LoginShowTest : public test::LoginTest, public ::testing::WithParamInterface<StoredLogin> {};

TEST_P(LoginShowTest, FillsTheBoxesTicksRememberFocusesAndCentres) {
    const StoredLogin& c = GetParam();
    if (!c.uid.isNull())
        writeSetting("login", "uid", c.uid);
    if (!c.pwd.isNull())
        writeSetting("login", "pwd", c.pwd);
    writeSetting("config", "cop", "演示横幅");
    showLogin();
    EXPECT_EQ(child<QLineEdit>(login(), "uid")->text(), c.uid);
    EXPECT_EQ(child<QLineEdit>(login(), "pwd")->text(), c.pwd);
    EXPECT_EQ(child<QCheckBox>(login(), "CheckBox1")->isChecked(), c.remembered);
    EXPECT_EQ(login().focusWidget(),
              c.focusInPwd ? child<QLineEdit>(login(), "pwd") : child<QLineEdit>(login(), "uid"));
    EXPECT_TRUE(child<QLabel>(screens().Form2, "softname")->text().contains("演示横幅"));
    EXPECT_EQ(login().geometry().center(), login().screen()->availableGeometry().center());
    EXPECT_TRUE(messages->shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Settings,
                         LoginShowTest,
                         ::testing::Values(StoredLogin{"nothing_stored", {}, {}, false, false},
                                           StoredLogin{"identifier_only", "demo", "", false, true},
                                           StoredLogin{"both", "demo", "demo2026", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RegSetting {
    const char* name;
    QString value; // null: no such key
    bool hidesRegistration;
};

class RegSettingTest : public test::LoginTest, public ::testing::WithParamInterface<RegSetting> {};

// "yes" hides " 注册账号" and the login button grows by 50 pixels and moves 10 to the right.
TEST_P(RegSettingTest, HidesTheRegistrationButtonOnlyForYes) {
    const RegSetting& c = GetParam();
    if (!c.value.isNull())
        writeSetting("config", "reg", c.value);
    const QRect before = child<QPushButton>(login(), "LbSpeedButton2")->geometry();
    showLogin();
    EXPECT_EQ(child<QPushButton>(login(), "LbSpeedButton1")->isVisible(), !c.hidesRegistration);
    EXPECT_EQ(child<QPushButton>(login(), "LbSpeedButton2")->geometry(),
              c.hidesRegistration ? before.adjusted(10, 0, 60, 0) : before);
}

INSTANTIATE_TEST_SUITE_P(Values,
                         RegSettingTest,
                         ::testing::Values(RegSetting{"padded_yes", " yes ", true},
                                           RegSetting{"yes", "yes", true},
                                           RegSetting{"upper_case", "YES", false},
                                           RegSetting{"no", "no", false},
                                           RegSetting{"absent", {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A database that cannot be opened or used is named, with its reason, when the program starts;
// the login screen stays usable.
struct UnusableDatabase {
    const char* name;
    std::function<void(test::LoginTest&, const QString& path)> make;
    const char* reason;
};

class UnusableDatabaseTest : public test::LoginTest, public ::testing::WithParamInterface<UnusableDatabase> {};

TEST_P(UnusableDatabaseTest, IsReportedAtStartWithTheFileAndTheReason) {
    const QString path = file(QStringLiteral("db.db"));
    GetParam().make(*this, path);
    showLogin();
    ASSERT_EQ(messages->shown.size(), 1);
    const MessageRequest& shown = messages->shown[0];
    EXPECT_EQ(shown.caption, QStringLiteral("提示"));
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_TRUE(shown.text.contains(path)) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(QString::fromUtf8(GetParam().reason))) << shown.text.toStdString();
    EXPECT_TRUE(login().isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    UnusableDatabaseTest,
    ::testing::Values(
        UnusableDatabase{"random_bytes",
                         [](test::LoginTest&, const QString& path) {
                             QFile f(path);
                             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                             f.write(QByteArray(8192, '\x5a'));
                         },
                         "not a database"},
        UnusableDatabase{"a_folder",
                         [](test::LoginTest&, const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); },
                         "无法使用"},
        UnusableDatabase{"send_lacks_a_column",
                         [](test::LoginTest&, const QString& path) {
                             {
                                 QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make-broken");
                                 db.setDatabaseName(path);
                                 ASSERT_TRUE(db.open());
                                 QSqlQuery(db).exec("CREATE TABLE send (sid INTEGER PRIMARY KEY, uid TEXT)");
                                 db.close();
                             }
                             QSqlDatabase::removeDatabase("make-broken");
                         },
                         "表 send 缺少列 mobno"}),
    [](const auto& info) { return std::string(info.param.name); });

using StartupDatabaseTest = test::LoginTest;

TEST_F(StartupDatabaseTest, AUsableDatabaseIsNotReported) {
    showLogin();
    EXPECT_TRUE(messages->shown.isEmpty());
}

using LoginPasswordTest = test::LoginTest;

TEST_F(LoginPasswordTest, ThePasswordShowsAsStars) {
    writeSetting("login", "pwd", "密码ab");
    showLogin();
    EXPECT_EQ(child<QLineEdit>(login(), "pwd")->displayText(), QStringLiteral("****"));
}

using LoginBackgroundTest = test::LoginTest;

TEST_F(LoginBackgroundTest, LoadsThePictureThatTheSettingNames) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(file("blue.png"), "PNG"));
    writeSetting("ui", "loginbg", "blue.png");
    login().show();
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_EQ(child<QLabel>(login(), "bglogin")->pixmap().size(), QSize(40, 30));
}

// A missing picture is reported once; the screen keeps a drawn background and stays usable.
TEST_F(LoginBackgroundTest, MissingPictureIsReportedAndTheScreenStaysUsable) {
    login().show();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(messages->shown[0].text.contains("loginbg.bmp")) << messages->shown[0].text.toStdString();
    EXPECT_FALSE(child<QLabel>(login(), "bglogin")->pixmap().isNull());
    messages->shown.clear();
    logInAsDemo();
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_TRUE(screens().Form2->isVisible());
}

} // namespace
} // namespace parlumo
