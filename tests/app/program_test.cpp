#include "account/maintenance_screen.h"
#include "account/registration_dialog.h"
#include "contacts/address_book_screen.h"
#include "contacts/import_dialog.h"
#include "fax/fax_progress_dialog.h"
#include "fax/fax_screen.h"
#include "login/login_screen.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "sms/phrase_edit_dialog.h"
#include "sms/phrase_screen.h"
#include "sms/replies_screen.h"
#include "sms/sent_log_screen.h"
#include "tests/support/program_fixture.h"
#include "voice/voice_progress_dialog.h"
#include "voice/voice_screen.h"

#include <QDialog>
#include <QSqlQuery>
#include <QSqlRecord>

namespace parlumo {
namespace {

using ProgramStartTest = test::ProgramTest;

TEST_F(ProgramStartTest, CreatesEveryScreenOnceNamedAndHidden) {
    Screens& s = screens();
    const struct {
        QWidget* screen;
        const char *name, *caption;
        bool dialog;
    } expected[] = {
        {s.Form1, "TForm1", "Parlumo", false},
        {s.Form2, "TForm2", "主界面", false},
        {s.Form3, "TForm3", "发送短信", false},
        {s.Form5, "TForm5", "短语管理", false},
        {s.Form6, "TForm6", "接收回复短信", false},
        {s.Form7, "TForm7", "系统维护", false},
        {s.Form4, "TForm4", "名片夹", false},
        {s.Form8, "TForm8", "发送记录", false},
        {s.Form9, "TForm9", "导入号码", true},
        {s.Form10, "TForm10", "添加短语", true},
        {s.Form11, "TForm11", "注册账号", true},
        {s.f_fax, "Tf_fax", "传真", false},
        {s.FAX_log, "TFAX_log", "发送进度/状态", true},
        {s.Form12, "TForm12", "语音服务", false},
        {s.Form13, "TForm13", "任务呼出进度", true},
        {s.Form14, "TForm14", "彩信", false},
    };
    for (const auto& e : expected) {
        ASSERT_NE(e.screen, nullptr) << e.name;
        EXPECT_EQ(e.screen->objectName(), QString::fromUtf8(e.name));
        EXPECT_EQ(e.screen->windowTitle(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(qobject_cast<QDialog*>(e.screen) != nullptr, e.dialog) << e.name;
        EXPECT_FALSE(e.screen->isVisible()) << e.name;
    }
}

TEST_F(ProgramStartTest, StartsOnAFreshDatabaseHoldingEveryTable) {
    program();
    ASSERT_TRUE(QFile::exists(file("db.db")));
    QSqlQuery tables = services().database->execute(SqlText(
        "select name from sqlite_master where type='table' and name not like 'sqlite%' order by name"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    EXPECT_EQ(names,
              (QStringList{"Faxlist",
                           "backsms",
                           "faxlog",
                           "mb",
                           "mbsms",
                           "mms_list",
                           "send",
                           "tel",
                           "telbook",
                           "vlist",
                           "vlog"}));
}

TEST(TwoPrograms, LiveSideBySideInOneProcess) {
    QTemporaryDir a, b;
    Program first(a.path(), productionSeams());
    Program second(b.path(), productionSeams());
    first.services().database->execute(SqlText("insert into send (uid,msg) values ('a','x')"));
    QSqlQuery rows = second.services().database->execute(SqlText("select count(*) from send"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toInt(), 0);
    EXPECT_NE(first.screens().Form3, second.screens().Form3);
}

} // namespace
} // namespace parlumo
