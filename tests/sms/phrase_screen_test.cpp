#include "sms/phrase_screen.h"

#include "core/account_state.h"
#include "data/database.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "sms/phrase_edit_dialog.h"
#include "tests/support/sim_fixture.h"
#include "toolkit/picture_button.h"
#include "voice/voice_screen.h"
#include "widgets/tree_fill.h"
#include "widgets/tree_utils.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace parlumo {
namespace {

struct Phrase {
    const char* msg;
    int tid;
    const char* uid = "abc";
};

QAction* entry(const QMenu* menu, const char* text) {
    for (QAction* action : menu->actions())
        if (action->text() == QString::fromUtf8(text))
            return action;
    throw std::runtime_error(std::string("no menu entry ") + text);
}

// Waits, bounded, until a screen's tree load has ended.
bool treeLoaded(const QWidget& screen) {
    const auto* utils = screen.findChild<TTreeUtils*>();
    return utils && QTest::qWaitFor([utils] { return utils->findChildren<TTreeFill*>().isEmpty(); }, 10000);
}

QStringList listed(const QWidget& screen) {
    const auto* grid = child<QTableWidget>(screen, "DBGrid1");
    QStringList rows;
    for (int i = 0; i < grid->rowCount(); ++i)
        rows << grid->item(i, 0)->text();
    return rows;
}

class PhraseScreenTest : public test::ProgramWithSimulatorTest {
protected:
    TForm5& form() { return *screens().Form5; }
    TForm10& dialog() { return *screens().Form10; }
    Database& db() { return *services().database; }

    void logIn(const QString& uid = "abc") {
        services().account->change([&](AccountFields& a) { a.uid = uid; });
    }
    void addPhrases(const QList<Phrase>& phrases) {
        for (const Phrase& p : phrases)
            db().execute(SqlText("insert into mbsms (msg,tid,uid) values (")
                             .value(QString::fromUtf8(p.msg))
                             .add(",")
                             .value(p.tid)
                             .add(",")
                             .value(QString::fromUtf8(p.uid))
                             .add(")"));
    }
    void addGroup(int id, int pid, const char* caption, const char* uid = "abc") {
        db().execute(SqlText("insert into mb (ID,PID,Caption,uid) values (")
                         .value(id)
                         .add(",")
                         .value(pid)
                         .add(",")
                         .value(QString::fromUtf8(caption))
                         .add(",")
                         .value(QString::fromUtf8(uid))
                         .add(")"));
    }
    // "msg|tid|uid" of every phrase, oldest first.
    QStringList stored() {
        QSqlQuery rows = db().execute(SqlText("select msg, tid, uid from mbsms order by id"));
        QStringList all;
        while (rows.next())
            all << rows.value(0).toString() + "|" + rows.value(1).toString() + "|" + rows.value(2).toString();
        return all;
    }
    // The main window shows the phrase screen, as its navigation does.
    void showPhrases() {
        screens().Form2->show();
        screens().Form2->showScreen(&form());
        ASSERT_TRUE(treeLoaded(form()));
    }
    void selectGroup(const char* caption) {
        auto* tree = child<QTreeWidget>(form(), "TreeView1");
        const QList<QTreeWidgetItem*> found =
            tree->findItems(QString::fromUtf8(caption), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << caption;
        tree->setCurrentItem(found[0]);
    }
    void selectRow(int row) { child<QTableWidget>(form(), "DBGrid1")->setCurrentCell(row, 0); }
    // The screen laid over the others in the main window's panel.
    QObject* shownScreen() { return child<QWidget>(*screens().Form2, "Panel1")->children().last(); }
    int markerX() { return child<PictureButton>(*screens().Form2, "Image1")->x(); }
    int buttonX(const char* name) { return child<PictureButton>(*screens().Form2, name)->x(); }
};

TEST_F(PhraseScreenTest, ControlsCarryTheProgramsCaptions) {
    TForm5& f = form();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("短语管理"));
    const auto* tree = child<QTreeWidget>(f, "TreeView1");
    EXPECT_EQ(tree->toolTip(), QString::fromUtf8("右击操作分类"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(tree->parentWidget())->title(), QString::fromUtf8("组别(右击操作)"));
    EXPECT_EQ(child<QTableWidget>(f, "DBGrid1")->horizontalHeaderItem(0)->text(),
              QString::fromUtf8("短语管理 (双击即可选中)"));
    EXPECT_EQ(child<QLineEdit>(f, "keystr")->maxLength(), 20);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"btschsfw34234", "查找"}, {"btsend", "&T选择"}, {"btadd", "&A新增"}, {"btde", "&D删除"}};
    for (const auto& b : buttons)
        EXPECT_EQ(child<QPushButton>(f, b.name)->text(), QString::fromUtf8(b.caption));
    const auto entries = [](const QMenu* menu) {
        QStringList texts;
        for (const QAction* a : menu->actions())
            texts << a->text();
        return texts;
    };
    EXPECT_EQ(entries(child<QMenu>(f, "PopupMenu1")),
              (QStringList{QString::fromUtf8("添加分类"),
                           QString::fromUtf8("添加子分类"),
                           QString::fromUtf8("编辑分类"),
                           QString::fromUtf8("删除分类")}));
    EXPECT_EQ(entries(child<QMenu>(f, "PopupMenu2")),
              (QStringList{QString::fromUtf8("至：短信"),
                           QString::fromUtf8("至：彩信"),
                           QString::fromUtf8("至：语音"),
                           QString::fromUtf8("添加"),
                           QString::fromUtf8("删除")}));
    EXPECT_EQ(child<QLabel>(f, "lblNodeIndex")->text(), "0");
    EXPECT_EQ(dialog().windowTitle(), QString::fromUtf8("添加短语"));
    EXPECT_TRUE(dialog().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(child<QPushButton>(dialog(), "btadd")->text(), QString::fromUtf8("&A添加"));
    EXPECT_EQ(child<QPushButton>(dialog(), "LbSpeedButton1")->text(), QString::fromUtf8("&C关闭"));
}

TEST_F(PhraseScreenTest, ShowingTheScreenBuildsTheTreeAndListsTheHundredNewest) {
    logIn();
    addGroup(1, 0, "工作");
    addGroup(2, 1, "会议");
    addGroup(3, 0, "节日", "guest");
    addGroup(4, 0, "别人的", "xyz");
    for (int i = 1; i <= 104; ++i)
        addPhrases({{("p" + QByteArray::number(i)).constData(), i % 2}});
    addPhrases({{"shared", 3, "guest"}, {"not mine", 0, "xyz"}});
    showPhrases();
    QStringList expected{"shared"};
    for (int i = 104; expected.size() < 100; --i)
        expected << "p" + QString::number(i);
    EXPECT_EQ(listed(form()), expected);

    const auto* root = child<QTreeWidget>(form(), "TreeView1")->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QString::fromUtf8("我的目录"));
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), QString::fromUtf8("工作"));
    EXPECT_EQ(root->child(0)->child(0)->text(0), QString::fromUtf8("会议"));
    EXPECT_EQ(root->child(1)->text(0), QString::fromUtf8("节日"));
}

TEST_F(PhraseScreenTest, ACategoryListsItsOwnPhrasesTheRootListsThemAll) {
    logIn();
    addGroup(1, 0, "工作");
    addGroup(2, 1, "会议");
    addPhrases({{"work", 1},
                {"shared work", 1, "guest"},
                {"meeting", 2},
                {"loose", 0},
                {"their work", 1, "xyz"},
                {"shared loose", 0, "guest"}});
    showPhrases();
    selectGroup("工作");
    EXPECT_EQ(listed(form()), (QStringList{"shared work", "work"}));
    EXPECT_EQ(child<QLabel>(form(), "lblNodeIndex")->text(), "1");
    EXPECT_EQ(child<QLabel>(form(), "lblNodeCaption")->text(), QString::fromUtf8("工作"));
    EXPECT_EQ(child<QLabel>(form(), "lblParentIndex")->text(), "0");
    EXPECT_EQ(child<QLabel>(form(), "lblParentCaption")->text(), QString::fromUtf8("我的目录"));
    selectGroup("会议");
    EXPECT_EQ(listed(form()), (QStringList{"meeting"}));
    EXPECT_EQ(child<QLabel>(form(), "lblParentIndex")->text(), "1");
    selectGroup("我的目录");
    EXPECT_EQ(listed(form()), (QStringList{"shared loose", "loose", "meeting", "shared work", "work"}));
}

TEST_F(PhraseScreenTest, SearchMatchesTheTrimmedWordsLiterallyInEveryCategory) {
    logIn();
    addGroup(1, 0, "工作");
    addPhrases(
        {{"明天会议", 1}, {"100% 到场", 0}, {"1000 到场", 0}, {"it's 会议", 0, "guest"}, {"会议", 0, "xyz"}});
    showPhrases();
    selectGroup("工作");
    const struct {
        const char* key;
        QStringList rows;
    } cases[] = {
        {"", {"it's 会议", "1000 到场", "100% 到场", "明天会议"}},
        {"  会议 ", {"it's 会议", "明天会议"}},
        {"%", {"100% 到场"}},
        {"it's", {"it's 会议"}},
        {"没有", {}},
    };
    for (const auto& c : cases) {
        child<QLineEdit>(form(), "keystr")->setText(QString::fromUtf8(c.key));
        child<QPushButton>(form(), "btschsfw34234")->click();
        EXPECT_EQ(listed(form()), c.rows) << c.key;
    }
}

TEST_F(PhraseScreenTest, NewPhrasesAreTypedOneAfterTheOtherInTheDialog) {
    logIn(" abc ");
    addGroup(1, 0, "工作");
    showPhrases();
    child<QPushButton>(form(), "btadd")->click();
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(dialog().isModal());
    auto* memo = child<QPlainTextEdit>(dialog(), "DBMemo1");
    memo->setPlainText(QString::fromUtf8("第一条"));
    child<QPushButton>(dialog(), "btadd")->click();
    // Stored for the root (no category selected) under the trimmed identifier; the dialog stays.
    EXPECT_EQ(stored(), (QStringList{QString::fromUtf8("第一条|0|abc")}));
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(listed(form()), (QStringList{QString::fromUtf8("第一条")}));
    memo->setPlainText("   ");
    child<QPushButton>(dialog(), "btadd")->click();
    EXPECT_EQ(stored().size(), 2);
    // Closing discards the empty phrase being typed.
    child<QPushButton>(dialog(), "LbSpeedButton1")->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(stored().size(), 2);
    EXPECT_TRUE(messages->shown.isEmpty());

    selectGroup("工作");
    entry(child<QMenu>(form(), "PopupMenu2"), "添加")->trigger();
    ASSERT_TRUE(dialog().isVisible());
    memo->setPlainText("work");
    child<QPushButton>(dialog(), "btadd")->click();
    EXPECT_EQ(stored().last(), "work|1|abc");
    EXPECT_EQ(listed(form()), (QStringList{"work"}));
    child<QPushButton>(dialog(), "LbSpeedButton1")->click();
}

TEST_F(PhraseScreenTest, TheDialogRefusesEmptyAndOverlongPhrases) {
    logIn();
    showPhrases();
    child<QPushButton>(form(), "btadd")->click();
    auto* memo = child<QPlainTextEdit>(dialog(), "DBMemo1");
    const QString empty = QString::fromUtf8("内容不能为空！字数在 200个字符以内！");
    const QString tooLong = QString::fromUtf8("字数在 200个字符以内！");
    const struct {
        QString text;
        const QString* message; // null: stored
    } cases[] = {
        {"", &empty},
        {QString(199, QChar(0x77ED)), nullptr},
        {QString(200, QChar(0x77ED)), nullptr},
        {QString(201, QChar(0x77ED)), &tooLong},
    };
    for (const auto& c : cases) {
        messages->shown.clear();
        const qsizetype before = stored().size();
        memo->setPlainText(c.text);
        child<QPushButton>(dialog(), "btadd")->click();
        EXPECT_TRUE(dialog().isVisible());
        if (c.message) {
            ASSERT_EQ(messages->shown.size(), 1) << c.text.size();
            EXPECT_EQ(messages->shown[0].text, *c.message);
            EXPECT_EQ(messages->shown[0].caption, kApplicationTitle);
            EXPECT_EQ(stored().size(), before);
            EXPECT_EQ(memo->toPlainText(), c.text);
        } else {
            EXPECT_TRUE(messages->shown.isEmpty()) << c.text.size();
            EXPECT_EQ(stored().size(), before + 1);
        }
    }
    // A phrase the database refuses keeps its text and names the limit.
    db().execute(
        SqlText("create trigger refuse before insert on mbsms begin select raise(abort, 'no'); end"));
    messages->shown.clear();
    memo->setPlainText("refused");
    child<QPushButton>(dialog(), "btadd")->click();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].text, tooLong);
    EXPECT_EQ(memo->toPlainText(), "refused");
    child<QPushButton>(dialog(), "LbSpeedButton1")->click();
}

// The chosen phrase replaces the text of the SMS, MMS or voice screen, which comes to the front.
TEST_F(PhraseScreenTest, AChosenPhraseLandsInTheTextOfItsScreen) {
    logIn();
    addPhrases({{"第一行\n它's", 0}, {"second", 0}});
    showPhrases();
    auto* grid = child<QTableWidget>(form(), "DBGrid1");
    auto* txt = child<QPlainTextEdit>(*screens().Form3, "txt");
    const QMenu* menu = child<QMenu>(form(), "PopupMenu2");
    const struct {
        const char* how;
        std::function<void()> choose;
        QWidget* screen;
        QPlainTextEdit* text;
        const char* button;
        const char* expected;
    } cases[] = {
        {"&T选择",
         [this] { child<QPushButton>(form(), "btsend")->click(); },
         screens().Form3,
         txt,
         "Image30",
         "第一行它\"s"},
        {"double click",
         [grid] {
             const QRect cell = grid->visualItemRect(grid->item(1, 0));
             // A user's double click: a click, then the second press that makes it double.
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
         },
         screens().Form3,
         txt,
         "Image30",
         "第一行它\"s"},
        {"至：短信",
         [menu] { entry(menu, "至：短信")->trigger(); },
         screens().Form3,
         txt,
         "Image30",
         "第一行它\"s"},
        {"至：彩信",
         [menu] { entry(menu, "至：彩信")->trigger(); },
         screens().Form14,
         child<QPlainTextEdit>(*screens().Form14, "mmstxt"),
         "Image5",
         "第一行它's"},
        {"至：语音",
         [menu] { entry(menu, "至：语音")->trigger(); },
         screens().Form12,
         child<QPlainTextEdit>(*screens().Form12, "v_txt"),
         "Image59",
         "第一行它's"},
    };
    for (const auto& c : cases) {
        c.text->setPlainText("before");
        screens().Form2->showScreen(&form());
        selectRow(1);
        c.choose();
        EXPECT_EQ(c.text->toPlainText(), QString::fromUtf8(c.expected)) << c.how;
        EXPECT_EQ(shownScreen(), c.screen) << c.how;
        EXPECT_TRUE(c.screen->isVisible()) << c.how;
        EXPECT_EQ(markerX(), buttonX(c.button)) << c.how;
        if (std::string(c.how) == "double click") {
            // The double click opens no phrase menu over the screen that now shows.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            EXPECT_FALSE(child<QMenu>(form(), "PopupMenu2")->isVisible());
        }
    }
    // The compose screen counts the phrase it received.
    EXPECT_EQ(child<QLineEdit>(*screens().Form3, "zf")->text(), "6");
}

TEST_F(PhraseScreenTest, WithAnEmptyListThePutActionsDoNothing) {
    logIn();
    showPhrases();
    child<QPlainTextEdit>(*screens().Form3, "txt")->setPlainText("kept");
    child<QPushButton>(form(), "btsend")->click();
    for (const char* how : {"至：短信", "至：彩信", "至：语音", "删除"})
        entry(child<QMenu>(form(), "PopupMenu2"), how)->trigger();
    child<QPushButton>(form(), "btde")->click();
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form3, "txt")->toPlainText(), "kept");
    EXPECT_EQ(shownScreen(), &form());
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(PhraseScreenTest, ClickingAPhraseOpensThePhraseMenu) {
    logIn();
    addPhrases({{"one", 0}});
    showPhrases();
    auto* grid = child<QTableWidget>(form(), "DBGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
    auto* menu = child<QMenu>(form(), "PopupMenu2");
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
    menu->close();
}

TEST_F(PhraseScreenTest, DeletingAPhraseRemovesItAtOnce) {
    logIn();
    addPhrases({{"old", 0}, {"middle", 0}, {"new", 0}});
    showPhrases();
    selectRow(1);
    child<QPushButton>(form(), "btde")->click();
    EXPECT_EQ(listed(form()), (QStringList{"new", "old"}));
    EXPECT_EQ(stored(), (QStringList{"old|0|abc", "new|0|abc"}));
    selectRow(0);
    entry(child<QMenu>(form(), "PopupMenu2"), "删除")->trigger();
    EXPECT_EQ(stored(), (QStringList{"old|0|abc"}));
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(PhraseScreenTest, DeletingACategoryTakesTheAccountsPhrasesAndTheSubcategories) {
    logIn();
    addGroup(1, 0, "工作");
    addGroup(2, 1, "会议", "guest");
    addGroup(3, 0, "节日");
    addPhrases(
        {{"work", 1}, {"shared work", 1, "guest"}, {"meeting", 2}, {"loose", 0}, {"their work", 1, "xyz"}});
    showPhrases();
    selectGroup("工作");
    messages->answers = {MessageButton::No};
    QAction* deleteCategory = entry(child<QMenu>(form(), "PopupMenu1"), "删除分类");
    deleteCategory->trigger();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].text,
              QString::fromUtf8("请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"工作\"吗?"));
    EXPECT_EQ(messages->shown[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(stored().size(), 5);

    deleteCategory->trigger();
    EXPECT_EQ(stored(),
              (QStringList{"shared work|1|guest", "meeting|2|abc", "loose|0|abc", "their work|1|xyz"}));
    QSqlQuery groups = db().execute(SqlText("select ID from mb order by ID"));
    ASSERT_TRUE(groups.next());
    EXPECT_EQ(groups.value(0).toInt(), 3);
    EXPECT_FALSE(groups.next());
    const auto* root = child<QTreeWidget>(form(), "TreeView1")->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(root->child(0)->text(0), QString::fromUtf8("节日"));
    // The root takes the deleted category's place as the selected one.
    EXPECT_EQ(child<QLabel>(form(), "lblNodeIndex")->text(), "0");

    // On the root, the account's phrases outside every category go; the tree stays, silently.
    selectGroup("我的目录");
    deleteCategory->trigger();
    EXPECT_EQ(stored(), (QStringList{"shared work|1|guest", "meeting|2|abc", "their work|1|xyz"}));
    EXPECT_EQ(root->childCount(), 1);
    EXPECT_EQ(messages->shown.size(), 3);
}

TEST_F(PhraseScreenTest, CategoriesAreAddedAndMovedInTheirOwnTable) {
    logIn();
    addGroup(1, 0, "工作");
    addGroup(2, 0, "节日");
    showPhrases();
    selectGroup("工作");
    entry(child<QMenu>(form(), "PopupMenu1"), "添加子分类")->trigger();
    QSqlQuery added = db().execute(SqlText("select PID, Caption, uid from mb where ID=3"));
    ASSERT_TRUE(added.next());
    EXPECT_EQ(added.value(0).toInt(), 1);
    EXPECT_EQ(added.value(1).toString(), QString::fromUtf8("未命名分类"));

    auto* utils = form().findChild<TTreeUtils*>();
    auto* tree = child<QTreeWidget>(form(), "TreeView1");
    selectGroup("节日");
    messages->answers = {MessageButton::Yes};
    utils->dropOn(utils->findNode(1), tree);
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].text, QString::fromUtf8("您确认要移动目录吗？"));
    ASSERT_TRUE(treeLoaded(form()));
    EXPECT_EQ(utils->findNode(2)->parent(), utils->findNode(1));
}

// Alone, the screen asks the other screens through its signals.
TEST_F(PhraseScreenTest, AloneItHandsPhrasesOverThroughItsSignals) {
    logIn();
    addGroup(4, 0, "工作");
    addPhrases({{"hello", 4}});
    TForm5 alone(services());
    QSignalSpy sms(&alone, &TForm5::phraseForSms);
    QSignalSpy mms(&alone, &TForm5::phraseForMms);
    QSignalSpy voice(&alone, &TForm5::phraseForVoice);
    QSignalSpy edit(&alone, &TForm5::phraseEditRequested);
    alone.show();
    ASSERT_TRUE(treeLoaded(alone));
    child<QPushButton>(alone, "btsend")->click();
    entry(child<QMenu>(alone, "PopupMenu2"), "至：彩信")->trigger();
    entry(child<QMenu>(alone, "PopupMenu2"), "至：语音")->trigger();
    child<QPushButton>(alone, "btadd")->click();
    auto* tree = child<QTreeWidget>(alone, "TreeView1");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    child<QPushButton>(alone, "btadd")->click();
    ASSERT_EQ(sms.size(), 1);
    EXPECT_EQ(sms[0][0].toString(), "hello");
    ASSERT_EQ(mms.size(), 1);
    EXPECT_EQ(mms[0][0].toString(), "hello");
    ASSERT_EQ(voice.size(), 1);
    EXPECT_EQ(voice[0][0].toString(), "hello");
    ASSERT_EQ(edit.size(), 2);
    EXPECT_EQ(edit[0][0].toInt(), 0);
    EXPECT_EQ(edit[1][0].toInt(), 4);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(PhraseScreenTest, AloneTheDialogStoresForItsCategoryAndSaysSo) {
    logIn();
    TForm10 alone(services());
    QSignalSpy added(&alone, &TForm10::phraseAdded);
    alone.openFor(7);
    child<QPlainTextEdit>(alone, "DBMemo1")->setPlainText("x");
    child<QPushButton>(alone, "btadd")->click();
    EXPECT_EQ(added.size(), 1);
    EXPECT_EQ(stored(), (QStringList{"x|7|abc"}));
    alone.openFor(0);
    EXPECT_TRUE(child<QPlainTextEdit>(alone, "DBMemo1")->toPlainText().isEmpty());
}

} // namespace
} // namespace parlumo
