#include "contacts/address_book_screen.h"

#include "contacts/import_dialog.h"
#include "core/account_state.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "main_window/main_window.h"
#include "mms/mms_screen.h"
#include "sms/compose_screen.h"
#include "tests/support/login_fixture.h"
#include "tests/support/record_lists.h"
#include "widgets/tree_utils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace parlumo {
namespace {

// Columns of the list: tick, "号码", "姓名", "其它联系方式", "备注".
constexpr int kNumber = 1;
constexpr int kName = 2;

class AddressBookTest : public test::ProgramTest {
protected:
    void SetUp() override {
        services().account->change([](AccountFields& a) { a.uid = QStringLiteral(" demo "); });
    }
    TForm4& form() { return *screens().Form4; }
    QTableView* grid() { return child<QTableView>(form(), "wwDBGrid1"); }
    QStringList listed(int column = kNumber) { return test::listedColumn(grid(), column); }
    QString text(const char* name) { return child<QLineEdit>(form(), name)->text(); }
    void click(const char* name) { child<QPushButton>(form(), name)->click(); }
    TTreeUtils& tree() { return *form().findChild<TTreeUtils*>(); }

    void addGroup(int id, int pid, const QString& caption, const QString& uid = QStringLiteral("demo")) {
        services().database->execute(SqlText(QStringLiteral("insert into tel(ID,PID,Caption,uid) values("))
                                         .value(id)
                                         .add(QStringLiteral(","))
                                         .value(pid)
                                         .add(QStringLiteral(","))
                                         .value(caption)
                                         .add(QStringLiteral(","))
                                         .value(uid)
                                         .add(QStringLiteral(")")));
    }
    void addContact(const QString& mobno,
                    int tid = 0,
                    const QString& tname = {},
                    const QString& uid = QStringLiteral("demo")) {
        SqlText insert(QStringLiteral("insert into telbook(mobno,tname,othertel,memo,uid,tid) values("));
        insert.value(mobno).add(QStringLiteral(",")).value(tname);
        insert.add(QStringLiteral(",'other of ")).add(mobno).add(QStringLiteral("','memo',"));
        insert.value(uid).add(QStringLiteral(",")).value(tid).add(QStringLiteral(")"));
        services().database->execute(insert);
    }
    // Every contact as "mobno|tid", in key order.
    QStringList stored() {
        QSqlQuery rows = services().database->execute(
            SqlText(QStringLiteral("select mobno,tid from telbook order by id")));
        QStringList all;
        while (rows.next())
            all << rows.value(0).toString() + QLatin1Char('|') + rows.value(1).toString();
        return all;
    }
    // Shows the screen and waits for its tree.
    void showLoaded() {
        QSignalSpy loaded(&tree(), &TTreeUtils::loaded);
        form().show();
        ASSERT_TRUE(loaded.wait());
    }
    void selectGroup(const QString& caption) {
        auto* view = child<QTreeWidget>(form(), "TreeView1");
        const QList<QTreeWidgetItem*> found = view->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        view->setCurrentItem(found.first());
    }
    void tick(const QString& mobno) {
        const int row = static_cast<int>(listed().indexOf(mobno));
        ASSERT_GE(row, 0) << mobno.toStdString();
        test::tickRow(grid(), row);
    }
    void edit(int row, int column, const QString& value) {
        QAbstractItemModel* model = grid()->model();
        grid()->setCurrentIndex(model->index(row, column));
        ASSERT_TRUE(model->setData(model->index(row, column), value, Qt::EditRole));
    }
    QAction* menuAction(const QString& caption) {
        for (QAction* action : child<QMenu>(form(), "PopupMenu1")->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
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

TEST_F(AddressBookTest, ShowsItsControlsAndListsAllOfTheAccountsContacts) {
    addGroup(1, 0, "朋友");
    addGroup(2, 1, "同学");
    addGroup(3, 0, "theirs", "other");
    addContact("13800000001");
    addContact("13800000002", 1);
    addContact("13800000009", 0, "theirs", "other");
    addContact("13800000003", 2);
    showLoaded();
    EXPECT_EQ(listed(), (QStringList{"13800000001", "13800000002", "13800000003"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("3"));
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
    auto* view = child<QTreeWidget>(form(), "TreeView1");
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), QStringLiteral("我的目录"));
    EXPECT_EQ(view->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(view->toolTip(), QStringLiteral("右键操作"));

    QStringList headers;
    for (int column = 0; column < grid()->model()->columnCount(); ++column)
        headers << grid()->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"选择", "号码", "姓名", "其它联系方式", "备注"}));
    auto* combo = child<QComboBox>(form(), "ComboBox1");
    EXPECT_EQ(combo->currentText(), QStringLiteral("按姓名"));
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(child<QLineEdit>(form(), "keystr")->maxLength(), 20);
    QStringList menu;
    for (QAction* action : child<QMenu>(form(), "PopupMenu1")->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(menu, (QStringList{"添加分类", "添加子分类", "编辑分类", "导入数据", "-", "删除分类"}));
    for (const char* name : {"lblNodeCaption", "lblNodeIndex", "lblParentCaption", "lblParentIndex"})
        EXPECT_TRUE(child<QLabel>(form(), name)->isHidden()) << name;
}

TEST_F(AddressBookTest, SelectingAGroupListsItsOwnContactsAndTheRootListsAll) {
    addGroup(1, 0, "朋友");
    addGroup(2, 1, "同学");
    addContact("13800000001");
    addContact("13800000002", 1);
    addContact("13800000003", 2);
    addContact("13800000004", 1);
    addContact("13800000009", 1, "theirs", "other");
    showLoaded();
    const struct {
        const char* group;
        const char* index;
        const char* parent;
        QStringList numbers;
    } cases[] = {{"朋友", "1", "0", {"13800000002", "13800000004"}},
                 {"同学", "2", "1", {"13800000003"}},
                 {"我的目录", "0", "0", {"13800000001", "13800000002", "13800000003", "13800000004"}}};
    for (const auto& c : cases) {
        selectGroup(QString::fromUtf8(c.group));
        EXPECT_EQ(listed(), c.numbers) << c.group;
        EXPECT_EQ(text("allmobno"), QString::number(c.numbers.size())) << c.group;
        EXPECT_EQ(child<QLabel>(form(), "lblNodeIndex")->text(), QString::fromUtf8(c.index)) << c.group;
        EXPECT_EQ(child<QLabel>(form(), "lblParentIndex")->text(), QString::fromUtf8(c.parent)) << c.group;
    }
}

TEST_F(AddressBookTest, SearchCoversEveryGroupByNumberOrName) {
    addGroup(1, 0, "朋友");
    addContact("13900000001", 0, "张三");
    addContact("13800000002", 1, "李四");
    addContact("13813900003", 1, "张三丰");
    addContact("13900000009", 1, "张三", "other");
    showLoaded();
    selectGroup("朋友");
    child<QComboBox>(form(), "ComboBox1")->setCurrentText("按号码");
    child<QLineEdit>(form(), "keystr")->setText(" 139 ");
    click("btsch");
    EXPECT_EQ(listed(), (QStringList{"13900000001", "13813900003"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("2"));

    child<QComboBox>(form(), "ComboBox1")->setCurrentText("按姓名");
    child<QLineEdit>(form(), "keystr")->setText("张三");
    click("btsch");
    EXPECT_EQ(listed(kName), (QStringList{"张三", "张三丰"}));

    // Wildcards of the pattern are plain characters; an empty key lists all.
    child<QLineEdit>(form(), "keystr")->setText("%");
    click("btsch");
    EXPECT_TRUE(listed().isEmpty());
    child<QLineEdit>(form(), "keystr")->clear();
    click("btsch");
    EXPECT_EQ(listed().size(), 3);
}

// The new row is stored when the grid leaves it, even with nothing typed into it.
TEST_F(AddressBookTest, NewContactJoinsTheAccountAndTheSelectedGroup) {
    addGroup(5, 0, "朋友");
    addContact("13800000001", 5);
    showLoaded();
    selectGroup("朋友");
    click("btadd");
    EXPECT_EQ(listed(), (QStringList{"13800000001", ""}));
    EXPECT_EQ(grid()->currentIndex().row(), 1);
    EXPECT_EQ(stored(), QStringList{"13800000001|5"});
    click("btpv");
    EXPECT_EQ(stored(), (QStringList{"13800000001|5", "|5"}));
    QSqlQuery uid = services().database->execute(SqlText("select uid from telbook order by id desc"));
    ASSERT_TRUE(uid.next());
    EXPECT_EQ(uid.value(0).toString(), QStringLiteral("demo"));

    selectGroup("我的目录");
    click("btadd");
    edit(grid()->currentIndex().row(), kNumber, "13900000002");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(stored().last(), QStringLiteral("13900000002|0"));
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(AddressBookTest, EnterPostsACheckedNumberAndCancelsARefusedOne) {
    showLoaded();
    const struct {
        const char* mobno;
        const char* message; // empty: posted
    } cases[] = {{"138.5", ""},
                 {"13800138000", ""},
                 {"138a5", "手机号码请输入数字"},
                 {".138", "手机号码请输入数字"},
                 {"138.", "手机号码请输入数字"},
                 {"13.8.5", "手机号码请输入数字"},
                 {"", "输入有误!"}};
    QStringList expected;
    for (const auto& c : cases) {
        messages->shown.clear();
        click("btadd");
        const int row = grid()->currentIndex().row();
        edit(row, kNumber, QString::fromUtf8(c.mobno));
        edit(row, kName, "某人");
        QTest::keyClick(grid(), Qt::Key_Return);
        const QString message = QString::fromUtf8(c.message);
        if (message.isEmpty()) {
            expected << QString::fromUtf8(c.mobno) + "|0";
            EXPECT_TRUE(messages->shown.isEmpty()) << c.mobno;
        } else {
            EXPECT_EQ(shown(), QStringList{test::plain(message)}) << c.mobno;
        }
        EXPECT_EQ(stored(), expected) << c.mobno;
        EXPECT_EQ(listed().size(), expected.size()) << c.mobno << ": a refused new row leaves";
    }
}

// Typed as a user types: into the cell editors, Tab from the number to the name, then Enter.
// The editor hands its text over only after the Enter key has reached the grid.
TEST_F(AddressBookTest, EnterPostsTheCellsTypedInTheirEditors) {
    showLoaded();
    click("btadd");
    grid()->edit(grid()->currentIndex().siblingAtColumn(kNumber));
    auto typeInCurrentCell = [this](const QString& text, Qt::Key end) {
        QWidget* editor = grid()->indexWidget(grid()->currentIndex());
        ASSERT_NE(editor, nullptr);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor, &typed);
        QTest::keyClick(editor, end);
        QCoreApplication::processEvents();
    };
    typeInCurrentCell("13800138001", Qt::Key_Tab);
    ASSERT_EQ(grid()->currentIndex().column(), kName);
    typeInCurrentCell("张伟", Qt::Key_Return);
    QSqlQuery row = services().database->execute(SqlText("select mobno, tname from telbook"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("13800138001"));
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("张伟"));
    EXPECT_FALSE(row.next());
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(AddressBookTest, EditsOfAListedContactArePostedOnLeavingAndRestoredOnCancel) {
    addContact("13800000001", 0, "张三");
    addContact("13800000002", 0, "李四");
    showLoaded();
    edit(0, kName, "王五");
    edit(0, kNumber, "abc");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(listed(kName), (QStringList{"张三", "李四"}));
    EXPECT_EQ(listed(), (QStringList{"13800000001", "13800000002"}));

    // Leaving the row posts without the number check.
    messages->shown.clear();
    edit(0, kNumber, "abc");
    click("btnt");
    EXPECT_EQ(stored(), (QStringList{"abc|0", "13800000002|0"}));
    EXPECT_TRUE(messages->shown.isEmpty());

    // Down on the last row makes no new row.
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(listed().size(), 2);
    EXPECT_EQ(grid()->currentIndex().row(), 1);
}

TEST_F(AddressBookTest, ARefusedStoreShowsTheEntryMessageAndDropsTheNewRow) {
    addContact("13800000001");
    showLoaded();
    services().database->execute(
        SqlText("create trigger refuse before insert on telbook begin select raise(abort, 'refused'); end"));
    click("btadd");
    edit(1, kNumber, "13900000001");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(shown(), QStringList{test::plain("输入有误!")});
    EXPECT_EQ(listed(), QStringList{"13800000001"});
    EXPECT_EQ(stored(), QStringList{"13800000001|0"});
}

TEST_F(AddressBookTest, TickedNumbersGoToTheComposeAndMmsScreensInTickOrder) {
    addContact("13800000001");
    addContact("13800000002");
    addContact("13800000003");
    addContact("13800000004");
    showLoaded();
    click("btsend");
    click("LbSpeedButton1");
    EXPECT_EQ(shown(), (QStringList{warned("请选择记录！"), warned("请选择记录！")}));

    tick("13800000003");
    tick("13800000001");
    tick("13800000004");
    EXPECT_EQ(text("selmobno"), QStringLiteral("3"));
    child<QPlainTextEdit>(*screens().Form3, "mob")->setPlainText("13900000000");
    click("btsend");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form3, "mob")->toPlainText(),
              QStringLiteral("13900000000\n13800000003\n13800000001\n13800000004"));
    EXPECT_EQ(child<QWidget>(*screens().Form2, "Panel1")->children().last(), screens().Form3);
    EXPECT_EQ(text("selmobno"), QStringLiteral("3")) << "the ticks stay";

    test::tickRow(grid(), 0, false);
    EXPECT_EQ(text("selmobno"), QStringLiteral("2"));
    click("LbSpeedButton1");
    EXPECT_EQ(child<QPlainTextEdit>(*screens().Form14, "mob")->toPlainText(),
              QStringLiteral("13800000003\n13800000004"));
    EXPECT_EQ(child<QWidget>(*screens().Form2, "Panel1")->children().last(), screens().Form14);
    EXPECT_EQ(messages->shown.size(), 2);
}

TEST_F(AddressBookTest, DeleteRemovesTheTickedContactsWithoutAsking) {
    addContact("13800000001");
    addContact("13800000002");
    addContact("13800000003");
    addContact("13800000001", 0, {}, "other");
    showLoaded();
    click("btde");
    EXPECT_EQ(shown(), QStringList{warned("记录为空.请选择记录！")});
    EXPECT_EQ(stored().size(), 4);

    messages->shown.clear();
    tick("13800000003");
    tick("13800000001");
    click("btde");
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_EQ(stored(), (QStringList{"13800000002|0", "13800000001|0"}));
    EXPECT_EQ(listed(), QStringList{"13800000002"});
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));

    child<QCheckBox>(form(), "CheckBox1")->click();
    EXPECT_EQ(text("selmobno"), QStringLiteral("1"));
    child<QCheckBox>(form(), "CheckBox1")->click();
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
}

TEST_F(AddressBookTest, DroppingTickedContactsOnAGroupFilesThemThere) {
    addGroup(1, 0, "朋友");
    addGroup(2, 0, "同事");
    addContact("13800000001", 1);
    addContact("13800000002", 1);
    addContact("13800000003", 1);
    showLoaded();
    selectGroup("朋友");
    tick("13800000003");
    tick("13800000001");

    messages->answers = {MessageButton::No};
    tree().dropOn(tree().findNode(2), grid());
    EXPECT_EQ(stored(), (QStringList{"13800000001|1", "13800000002|1", "13800000003|1"}));

    messages->answers = {MessageButton::Yes};
    tree().dropOn(tree().findNode(2), grid());
    ASSERT_EQ(messages->shown.size(), 2);
    EXPECT_EQ(messages->shown.last().text, QStringLiteral("您确认要移动到目录吗？"));
    EXPECT_EQ(messages->shown.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(stored(), (QStringList{"13800000001|2", "13800000002|1", "13800000003|2"}));
    EXPECT_EQ(listed(), QStringList{"13800000002"});
    EXPECT_EQ(text("selmobno"), QStringLiteral("0"));
}

TEST_F(AddressBookTest, DeletingAGroupDeletesItsOwnContactsAndKeepsThoseOfItsSubgroups) {
    addGroup(1, 0, "朋友");
    addGroup(2, 1, "同学");
    addContact("13800000001");
    addContact("13800000002", 1);
    addContact("13800000003", 2);
    addContact("13800000009", 1, {}, "other");
    showLoaded();
    selectGroup("朋友");
    messages->answers = {MessageButton::Yes};
    menuAction("删除分类")->trigger();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_EQ(messages->shown[0].text,
              QStringLiteral("请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"朋友\"吗?"));
    EXPECT_EQ(stored(), (QStringList{"13800000001|0", "13800000003|2", "13800000009|1"}));
    EXPECT_EQ(listed(), (QStringList{"13800000001", "13800000003"}));
    EXPECT_EQ(child<QTreeWidget>(form(), "TreeView1")->topLevelItem(0)->childCount(), 0);
}

TEST_F(AddressBookTest, DeletingTheRootDeletesTheContactsInNoGroupAndKeepsTheTree) {
    addGroup(1, 0, "朋友");
    addContact("13800000001");
    addContact("13800000002", 1);
    addContact("13800000009", 0, {}, "other");
    showLoaded();
    selectGroup("我的目录");
    messages->answers = {MessageButton::Yes};
    menuAction("删除分类")->trigger();
    EXPECT_EQ(messages->shown.size(), 1) << "the question only";
    EXPECT_EQ(stored(), (QStringList{"13800000002|1", "13800000009|0"}));
    EXPECT_EQ(listed(), QStringList{"13800000002"});
    EXPECT_EQ(child<QTreeWidget>(form(), "TreeView1")->topLevelItem(0)->childCount(), 1);
}

TEST_F(AddressBookTest, ExportWritesWhatTheListShows) {
    addGroup(1, 0, "朋友");
    addContact("13800000001", 1, "张三");
    addContact("13800000002", 0, "李四");
    addContact("13800000003", 1, "王五");
    showLoaded();
    selectGroup("朋友");
    fileDialogs->answers = {file(QStringLiteral("book.xlsx"))};
    click("btexou");
    const SpreadsheetReader sheet = SpreadsheetReader::open(file(QStringLiteral("book.xlsx")));
    ASSERT_EQ(sheet.usedRows(), 3);
    const QList<QStringList> expected{{"手机号码", "姓名", "其它联系方式", "备注"},
                                      {"13800000001", "张三", "other of 13800000001", "memo"},
                                      {"13800000003", "王五", "other of 13800000003", "memo"}};
    for (int row = 1; row <= 3; ++row) {
        QStringList cells;
        for (int column = 1; column <= 4; ++column)
            cells << sheet.cell(row, column);
        EXPECT_EQ(cells, expected[row - 1]);
    }
}

TEST_F(AddressBookTest, ImportedContactsJoinTheSelectedGroupAndShowInTheList) {
    addGroup(1, 0, "朋友");
    addContact("13800000001", 1);
    showLoaded();
    selectGroup("朋友");
    writeBytes("more.csv", "手机号码,姓名\r\n13600136000,李四\r\n13700137000,王五\r\n");
    TForm9& dialog = *screens().Form9;
    QTimer::singleShot(0, &dialog, [&] {
        child<QLineEdit>(dialog, "Edit1")->setText(file("more.csv"));
        child<QPushButton>(dialog, "LbSpeedButton1")->click();
        if (dialog.isVisible())
            dialog.reject();
    });
    menuAction("导入数据")->trigger();
    EXPECT_EQ(listed(), (QStringList{"13800000001", "13600136000", "13700137000"}));
    EXPECT_EQ(text("allmobno"), QStringLiteral("3"));
    EXPECT_EQ(stored().last(), QStringLiteral("13700137000|1"));
}

} // namespace
} // namespace parlumo
