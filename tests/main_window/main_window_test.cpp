// The main window: its first show, the navigation, the chat button and the way out.
#include "account/maintenance_screen.h"
#include "contacts/address_book_screen.h"
#include "fax/fax_screen.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "sms/phrase_screen.h"
#include "sms/replies_screen.h"
#include "sms/sent_log_screen.h"
#include "tests/support/login_fixture.h"
#include "toolkit/picture_button.h"
#include "voice/voice_screen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>

namespace parlumo {
namespace {

class MainWindowTest : public test::LoginTest {
protected:
    TForm2& main() { return *screens().Form2; }

    void enterAsGuest() {
        showLogin();
        child<QCheckBox>(login(), "CheckBox2")->click();
        login().LbSpeedButton2Click();
        messages->shown.clear();
    }

    // The screens hosted in Panel1, lowest first.
    QList<QWidget*> hosted() {
        QList<QWidget*> screens;
        for (QObject* child : child<QWidget>(main(), "Panel1")->children())
            if (auto* w = qobject_cast<QWidget*>(child))
                screens << w;
        return screens;
    }
};

TEST_F(MainWindowTest, FirstShowHostsTheSendSmsScreenUnderTheFirstButton) {
    enterAsGuest();
    ASSERT_TRUE(main().isVisible());
    EXPECT_EQ(main().geometry(), main().screen()->availableGeometry());
    EXPECT_EQ(hosted(), QList<QWidget*>{screens().Form3});
    EXPECT_TRUE(screens().Form3->isVisible());
    EXPECT_EQ(screens().Form3->geometry(), child<QWidget>(main(), "Panel1")->rect());
    EXPECT_EQ(child<PictureButton>(main(), "Image1")->x(), child<PictureButton>(main(), "Image30")->x());
}

// Each button lays its screen over the ones shown before; those stay in Panel1, not hidden.
TEST_F(MainWindowTest, NavigationButtonsShowTheirScreensOverThePreviousOnes) {
    enterAsGuest();
    Screens& s = screens();
    const struct {
        PictureButton* button;
        QWidget* screen;
    } map[] = {
        {child<PictureButton>(main(), "Image5"), s.Form14},
        {child<PictureButton>(main(), "Image29"), s.f_fax},
        {child<PictureButton>(main(), "Image59"), s.Form12},
        {child<PictureButton>(main(), "Image28"), s.Form4},
        {child<PictureButton>(main(), "Image27"), s.Form8},
        {child<PictureButton>(main(), "Image26"), s.Form5},
        {child<PictureButton>(main(), "Image25"), s.Form6},
        {child<PictureButton>(main(), "Image24"), s.Form7},
        {child<PictureButton>(main(), "Image30"), s.Form3},
    };
    QWidget* previous = s.Form3;
    for (const auto& entry : map) {
        SCOPED_TRACE(entry.button->objectName().toStdString());
        QTest::mouseClick(entry.button, Qt::LeftButton);
        const QList<QWidget*> stack = hosted();
        ASSERT_FALSE(stack.isEmpty());
        EXPECT_EQ(stack.last(), entry.screen);
        EXPECT_TRUE(entry.screen->isVisible());
        EXPECT_EQ(entry.screen->geometry(), child<QWidget>(main(), "Panel1")->rect());
        EXPECT_EQ(child<PictureButton>(main(), "Image1")->x(), entry.button->x());
        if (previous != entry.screen) {
            EXPECT_TRUE(stack.contains(previous));
            EXPECT_FALSE(previous->isHidden());
            EXPECT_LT(stack.indexOf(previous), stack.indexOf(entry.screen));
        }
        previous = entry.screen;
    }
    EXPECT_EQ(hosted().size(), 9);
    EXPECT_TRUE(messages->shown.isEmpty());
}

// On a 1366x768 screen, the most common laptop size, each screen fits the panel of the full main
// window: no control is squeezed below the height it needs to be read and typed into.
TEST_F(MainWindowTest, EveryScreenFitsTheFullWindowOfA1366By768Screen) {
    enterAsGuest();
    main().setGeometry(0, 0, 1366, 768);
    Screens& s = screens();
    const QList<QWidget*> hostedScreens{
        s.Form3, s.Form14, s.f_fax, s.Form12, s.Form4, s.Form8, s.Form5, s.Form6, s.Form7};
    for (QWidget* screen : hostedScreens) {
        main().showScreen(screen);
        QCoreApplication::processEvents();
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            const bool userControl = qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control) ||
                                     qobject_cast<QComboBox*>(control) || qobject_cast<QLabel*>(control);
            // Qt's own parts (the edit inside a date box) are not the screen's controls.
            if (!userControl || control->objectName().startsWith("qt_") || !control->isVisibleTo(screen))
                continue;
            EXPECT_GE(control->height(), control->minimumSizeHint().height())
                << screen->objectName().toStdString() << " squeezes "
                << control->metaObject()->className() << " "
                << control->objectName().toStdString();
        }
    }
}

struct AgentCode {
    const char* name;
    QString code; // null: no setting, "OVARN"
    bool chat;
};

class ChatVisibilityTest : public MainWindowTest, public ::testing::WithParamInterface<AgentCode> {};

TEST_P(ChatVisibilityTest, ChatButtonOnlyForOvarnAndTremd) {
    const AgentCode& c = GetParam();
    if (!c.code.isNull())
        writeSetting("config", "agentcode", c.code);
    enterAsGuest();
    EXPECT_EQ(child<QPushButton>(main(), "bt_chat")->isVisible(), c.chat);
}

INSTANTIATE_TEST_SUITE_P(Codes,
                         ChatVisibilityTest,
                         ::testing::Values(AgentCode{"default", {}, true},
                                           AgentCode{"upper", "OVARN", true},
                                           AgentCode{"mixed", "Ovarn", true},
                                           AgentCode{"tremd", "TREMD", true},
                                           AgentCode{"other", "ACME", false},
                                           AgentCode{"longer", "ovarn2", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The chat starts webs.exe of the program folder; the address is on the update host and carries
// the login box's identifier as typed.
TEST_F(MainWindowTest, ChatStartsWebsWithTheParameterText) {
    writeSetting("service", "update", "http://update.example.net:8081");
    showLogin();
    enter(" demo ", "demo2026");
    login().LbSpeedButton2Click();
    ASSERT_TRUE(main().isVisible());
    QTest::mouseClick(child<QPushButton>(main(), "bt_chat"), Qt::LeftButton);
    ASSERT_EQ(shell->calls.size(), 1);
    EXPECT_EQ(shell->calls[0].target, file("webs.exe"));
    EXPECT_EQ(shell->calls[0].parameters,
              "咨询客服 ' ' http://update.example.net:8081/kf.asp?agentcode=OVARN&uid= demo  558 455 0");
    EXPECT_EQ(shell->calls[0].workingFolder, folder());
}

// Without a tray icon to come back from, minimising keeps the window on the taskbar.
TEST_F(MainWindowTest, ShowHideTogglesMinimisedAndRestored) {
    enterAsGuest();
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    child<QAction>(login(), "N1")->trigger();
    EXPECT_TRUE(tray ? main().isHidden() : main().isMinimized());
    child<QAction>(login(), "N1")->trigger();
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(main().isMinimized());
}

// The size toggle: from filling the screen to a free 800 x 600 window centred on it, and back.
TEST_F(MainWindowTest, SizeToggleSwitchesBetweenFullAndCentredFreeWindow) {
    enterAsGuest();
    const QRect full = main().screen()->availableGeometry();
    ASSERT_NE(full.size(), QSize(800, 600));
    const struct {
        QWidget* control;
        bool doubleClick;
    } toggles[] = {{child<PictureButton>(main(), "Image10"), false},
                   {child<PictureButton>(main(), "Image4"), true},
                   {child<PictureButton>(main(), "Image3"), true},
                   {child<PictureButton>(main(), "Image11"), true},
                   {child<QLabel>(main(), "softname"), true}};
    for (const auto& t : toggles) {
        SCOPED_TRACE(t.control->objectName().toStdString());
        for (bool toFree : {true, false}) {
            if (t.doubleClick)
                QTest::mouseDClick(t.control, Qt::LeftButton);
            else
                QTest::mouseClick(t.control, Qt::LeftButton);
            EXPECT_EQ(main().fillsScreen(), !toFree);
            if (toFree) {
                EXPECT_EQ(main().size(), QSize(800, 600));
                EXPECT_EQ(main().geometry().center(), full.center());
            } else {
                EXPECT_EQ(main().geometry(), full);
            }
            EXPECT_EQ(screens().Form3->geometry(), child<QWidget>(main(), "Panel1")->rect());
        }
    }
}

struct ExitCase {
    const char* name;
    bool byCorner; // Image7 instead of Image22
    MessageButton answer;
};

class ExitTest : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {};

// The message text is saved before the question, so it is kept whatever the answer.
TEST_P(ExitTest, SavesTheTextThenAsks) {
    const ExitCase& c = GetParam();
    enterAsGuest();
    QTest::mouseClick(child<PictureButton>(main(), "Image24"), Qt::LeftButton);
    child<QPlainTextEdit>(screens().Form3, "txt")->setPlainText("  明天 开会  ");
    messages->answers = {c.answer};
    QTest::mouseClick(c.byCorner ? child<PictureButton>(main(), "Image7")
                                 : child<PictureButton>(main(), "Image22"),
                      Qt::LeftButton);

    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(shown(),
              QStringList{test::describe(MessageRequest{"确认", "真的要退出吗？", MessageIcon::Question})});
    EXPECT_EQ(messages->shown[0].buttons, (QList<MessageButton>{MessageButton::Ok, MessageButton::Cancel}));
    EXPECT_EQ(readSetting("config", "lasttxt"), "明天 开会");
    EXPECT_EQ(child<PictureButton>(main(), "Image1")->x(), child<PictureButton>(main(), "Image22")->x());
    const bool leaves = c.answer == MessageButton::Ok;
    EXPECT_EQ(main().isVisible(), !leaves);
    // Closing the main window closes the login screen, which takes the tray icon away.
    EXPECT_EQ(child<QSystemTrayIcon>(login(), "TrayIcon1")->isVisible(), !leaves);
}

INSTANTIATE_TEST_SUITE_P(Answers,
                         ExitTest,
                         ::testing::Values(ExitCase{"ok", false, MessageButton::Ok},
                                           ExitCase{"cancel", false, MessageButton::Cancel},
                                           ExitCase{"corner_ok", true, MessageButton::Ok},
                                           ExitCase{"corner_cancel", true, MessageButton::Cancel}),
                         [](const auto& info) { return std::string(info.param.name); });

// A settings file that cannot be written stops the way out with the error report.
TEST_F(MainWindowTest, FailedSaveOfTheTextStopsTheExit) {
    enterAsGuest();
    ASSERT_TRUE(QFile::remove(file("ovarn.ini")));
    ASSERT_TRUE(QDir().mkpath(file("ovarn.ini")));
    QTest::mouseClick(child<PictureButton>(main(), "Image22"), Qt::LeftButton);
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(messages->shown[0].text.contains("ovarn.ini")) << messages->shown[0].text.toStdString();
    EXPECT_TRUE(main().isVisible());
}

} // namespace
} // namespace parlumo
