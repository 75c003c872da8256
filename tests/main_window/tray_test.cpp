// The tray icon: its hint and its menu.
#include "core/setting_keys.h"
#include "main_window/main_window.h"
#include "sms/compose_screen.h"
#include "tests/support/login_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>

namespace parlumo {
namespace {

struct Banner {
    const char* name;
    QString text; // null: no setting
    bool isHint;
};

// The hint counts GBK bytes: a Chinese character is two, whatever its length in UTF-8.
const Banner kBanners[] = {
    {"default", {}, true},
    {"ascii_63", QString(63, 'a'), true},
    {"ascii_64", QString(64, 'a'), false},
    {"chinese_62_bytes", QString(31, QChar(0x77ed)), true},
    {"chinese_64_bytes", QString(32, QChar(0x77ed)), false},
};

class TrayHintTest : public test::LoginTest, public ::testing::WithParamInterface<Banner> {};

TEST_P(TrayHintTest, BannerShorterThan64BytesBecomesTheHint) {
    const Banner& c = GetParam();
    if (!c.text.isNull())
        writeSetting("config", "cop", c.text);
    EXPECT_EQ(child<QSystemTrayIcon>(login(), "TrayIcon1")->toolTip(), "短信平台");
    showLogin();
    const QString banner = c.text.isNull() ? kDefaultBanner : c.text;
    EXPECT_EQ(child<QSystemTrayIcon>(login(), "TrayIcon1")->toolTip(),
              c.isHint ? banner : QString("短信平台"));
    EXPECT_TRUE(child<QLabel>(screens().Form2, "softname")->text().contains(banner));
}

INSTANTIATE_TEST_SUITE_P(Banners, TrayHintTest, ::testing::ValuesIn(kBanners), [](const auto& info) {
    return std::string(info.param.name);
});

using TrayMenuTest = test::LoginTest;

TEST_F(TrayMenuTest, HoldsItsEntriesInOrder) {
    QStringList entries;
    for (const QAction* action : child<QMenu>(login(), "PopupMenu1")->actions())
        entries << (action->isSeparator() ? QString("-") : action->text());
    EXPECT_EQ(entries, (QStringList{"显示/隐藏(&G)", "检查更新", "-", "退出(&X)"}));
    EXPECT_EQ(child<QSystemTrayIcon>(login(), "TrayIcon1")->contextMenu(),
              child<QMenu>(login(), "PopupMenu1"));
}

// "检查更新" starts the updater at once, without asking the update host.
TEST_F(TrayMenuTest, CheckForUpdatesStartsTheUpdaterAtOnce) {
    for (const char* folder : {"backup/old", "updatedir/new"})
        ASSERT_TRUE(QDir().mkpath(file(folder)));
    child<QAction>(login(), "N2")->trigger();
    EXPECT_FALSE(QFileInfo::exists(file("backup")));
    EXPECT_FALSE(QFileInfo::exists(file("updatedir")));
    ASSERT_EQ(shell->calls.size(), 1);
    EXPECT_EQ(shell->calls[0].target, file("Update.exe"));
    EXPECT_EQ(shell->calls[0].workingFolder, folder());
    EXPECT_TRUE(requestsTo("/download/bexol.txt").empty());
}

// "退出(&X)" closes the program without saving the message text.
TEST_F(TrayMenuTest, ExitClosesWithoutSavingTheMessageText) {
    showLogin();
    child<QCheckBox>(login(), "CheckBox2")->click();
    login().LbSpeedButton2Click();
    child<QPlainTextEdit>(screens().Form3, "txt")->setPlainText("未保存的短信");
    messages->shown.clear();
    child<QAction>(login(), "N3")->trigger();
    EXPECT_FALSE(login().isVisible());
    EXPECT_EQ(readSetting("config", "lasttxt"), "<absent>");
    EXPECT_TRUE(messages->shown.isEmpty());
}

} // namespace
} // namespace parlumo
