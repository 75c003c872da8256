#include "widgets/tree_utils.h"

#include "core/account_state.h"
#include "data/database.h"
#include "text/error.h"
#include "widgets/tree_fill.h"

#include "tests/support/program_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace parlumo {
namespace {

struct Group {
    int id;
    int pid;
    const char* caption;
    const char* uid = "abc";
};

class TreeUtilsTest : public test::ProgramFolderTest {
protected:
    TreeUtilsTest() : db(file("db.db")), account("") {
        logIn("abc");
        TreeBinding binding;
        binding.columns.table = "tel";
        binding.moveQuestion = QString::fromUtf8("您确认要移动到目录吗？");
        utils = std::make_unique<TTreeUtils>(tree, binding, db, account, messages);
        screen.resize(300, 400);
    }
    ~TreeUtilsTest() override { utils.reset(); }

    void logIn(const QString& uid) {
        account.change([&](AccountFields& a) { a.uid = uid; });
    }
    void add(const QList<Group>& groups) {
        for (const Group& g : groups)
            db.execute(SqlText("insert into tel (ID,PID,Caption,uid) values (")
                           .value(g.id)
                           .add(",")
                           .value(g.pid)
                           .add(",")
                           .value(QString::fromUtf8(g.caption))
                           .add(",")
                           .value(QString::fromUtf8(g.uid))
                           .add(")"));
    }
    // Loads the tree and waits, bounded, for the load to end.
    void load() {
        QSignalSpy loaded(utils.get(), &TTreeUtils::loaded);
        utils->LoadTree();
        ASSERT_TRUE(loaded.wait(10000));
    }
    // The tree as text: "caption(index)[children]".
    QString shape(const QTreeWidgetItem* node = nullptr) const {
        if (!node)
            node = utils->rootNode();
        if (!node)
            return "empty";
        const TNodeData data = utils->GetNodeData(node);
        QString text = data.Caption + "(" + QString::number(data.Index) + ")";
        if (node->text(0) != data.Caption)
            text += "{shown " + node->text(0) + "}";
        if (node->childCount() == 0)
            return text;
        QStringList children;
        for (int i = 0; i < node->childCount(); ++i)
            children << shape(node->child(i));
        return text + "[" + children.join(" ") + "]";
    }
    QString row(int id) {
        QSqlQuery r = db.execute(SqlText("select PID, Caption, uid from tel where ID=").value(id));
        if (!r.next())
            return "none";
        return r.value(0).toString() + "|" + r.value(1).toString() + "|" + r.value(2).toString();
    }
    int rowCount() {
        QSqlQuery r = db.execute(SqlText("select count(*) from tel"));
        r.next();
        return r.value(0).toInt();
    }
    QTreeWidgetItem* node(int index) const { return index == 0 ? utils->rootNode() : utils->findNode(index); }
    void select(int index) { tree->setCurrentItem(node(index)); }
    // "编辑分类" on the selected node: the in-place editor it opens.
    QLineEdit* openEditor() {
        // Editors of earlier edits are released first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        utils->acEdit()->trigger();
        return tree->viewport()->findChild<QLineEdit*>();
    }

    Database db;
    AccountState account;
    test::RecordingMessageBoxes messages;
    QWidget screen;
    QTreeWidget* tree = new QTreeWidget(&screen);
    std::unique_ptr<TTreeUtils> utils;
};

TEST_F(TreeUtilsTest, AnEmptyTableShowsTheRootAloneExpanded) {
    load();
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)"));
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(utils->rootNode()->isExpanded());
    EXPECT_EQ(utils->MaxNodeId(), 0);
    EXPECT_EQ(utils->SelectedId(), -1);
    EXPECT_EQ(utils->SelectedCaption(), QString());
    EXPECT_EQ(utils->GetNodeData(nullptr), (TNodeData{0, QString::fromUtf8("我的目录")}));
}

TEST_F(TreeUtilsTest, LoadShowsTheAccountsAndTheGuestGroupsExpandedWithTheirImages) {
    add({{1, 0, "客户"},
         {2, 1, "北京", "guest"},
         {3, 0, "theirs", "xyz"},
         {4, 2, "朝阳"},
         {5, 0, "shared", "guest"},
         {6, 3, "under theirs", "guest"}});
    const struct {
        const char* uid;
        const char* shape;
    } cases[] = {
        {"abc", "我的目录(0)[客户(1)[北京(2)[朝阳(4)]] shared(5)]"},
        {" abc ", "我的目录(0)[客户(1)[北京(2)[朝阳(4)]] shared(5)]"},
        {"xyz", "我的目录(0)[theirs(3)[under theirs(6)] shared(5)]"},
        {"guest", "我的目录(0)[shared(5)]"},
    };
    for (const auto& c : cases) {
        logIn(c.uid);
        load();
        EXPECT_EQ(shape(), QString::fromUtf8(c.shape)) << c.uid;
    }
    logIn("abc");
    load();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const bool root = *it == utils->rootNode();
        EXPECT_TRUE((*it)->childCount() == 0 || (*it)->isExpanded());
        EXPECT_EQ((*it)->data(0, TTreeUtils::kImageRole).toInt(), root ? 0 : 1);
        EXPECT_EQ((*it)->data(0, TTreeUtils::kSelectedImageRole).toInt(), root ? 0 : 2);
        EXPECT_FALSE((*it)->icon(0).isNull());
    }
    EXPECT_EQ(utils->MaxNodeId(), 5);
}

// Two loads in a row give the second one's tree, never a mix of both.
TEST_F(TreeUtilsTest, TheNewestLoadWinsAndOlderResultsAreDropped) {
    QList<Group> many;
    for (int i = 1; i <= 60; ++i)
        many.append({i, i % 3 == 1 ? 0 : i - 1, "g"});
    add(many);
    QSignalSpy loaded(utils.get(), &TTreeUtils::loaded);
    utils->LoadTree();
    // The first load reads everything; its levels wait in the queue while the second starts.
    const QList<TTreeFill*> first = utils->findChildren<TTreeFill*>();
    ASSERT_EQ(first.size(), 1);
    ASSERT_TRUE(first[0]->wait(10000));
    db.execute(SqlText("delete from tel where ID > 30"));
    add({{100, 0, "new"}});
    utils->LoadTree();
    ASSERT_TRUE(loaded.wait(10000));
    // Whatever the first load still delivers arrives before its worker is released.
    ASSERT_TRUE(QTest::qWaitFor([this] { return utils->findChildren<TTreeFill*>().isEmpty(); }, 10000));
    EXPECT_EQ(loaded.size(), 1);
    QList<int> shown;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        shown << utils->GetNodeData(*it).Index;
    std::sort(shown.begin(), shown.end());
    QList<int> expected{0};
    for (int i = 1; i <= 30; ++i)
        expected << i;
    expected << 100;
    EXPECT_EQ(shown, expected);
}

TEST_F(TreeUtilsTest, ACycleOfParentNumbersEndsTheLoadAndTheDelete) {
    add({{0, 0, "claims the root"}, {5, 5, "own parent"}, {6, 0, "top"}, {7, 6, "child"}});
    db.execute(SqlText("update tel set PID=7 where ID=6"));
    add({{8, 0, "plain"}});
    load();
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)[plain(8)]"));
    add({{9, 0, "loop"}});
    load();
    db.execute(SqlText("update tel set PID=9 where ID=9"));
    EXPECT_TRUE(utils->DeleteNode(node(9)));
    EXPECT_EQ(row(9), "none");
}

TEST_F(TreeUtilsTest, NewGroupsAreNumberedAfterTheLargestNumberShownOrStored) {
    add({{1, 0, "a"}, {2, 1, "b"}, {3, 0, "c"}, {4, 3, "d"}, {5, 0, "e"}});
    load();
    // With groups 1 to 5, a new group gets 6 whatever node is selected.
    for (int selected : {-1, 0, 3, 5}) {
        if (selected < 0)
            tree->clearSelection();
        else
            select(selected);
        ASSERT_TRUE(utils->AddNode("x"));
        EXPECT_EQ(utils->MaxNodeId(), 6) << selected;
        EXPECT_NE(row(6), "none");
        db.execute(SqlText("delete from tel where ID=6"));
        load();
    }
}

// Groups of another account, invisible here, still hold their numbers.
TEST_F(TreeUtilsTest, NumbersStayUniqueAcrossAccounts) {
    add({{1, 0, "mine"}, {2, 0, "theirs", "xyz"}, {7, 2, "theirs too", "xyz"}});
    load();
    ASSERT_TRUE(utils->AddNode("new"));
    EXPECT_EQ(row(8), "0|new|abc");
    EXPECT_EQ(row(7), "2|theirs too|xyz");
    logIn("xyz");
    load();
    ASSERT_TRUE(utils->AddChildNode("their new", node(2)));
    EXPECT_EQ(row(9), "2|their new|xyz");
    // A group shown but gone from the table (another program deleted it) still counts.
    db.execute(SqlText("delete from tel where ID=9"));
    ASSERT_TRUE(utils->AddNode("after"));
    EXPECT_EQ(row(10), "0|after|xyz");
}

TEST_F(TreeUtilsTest, AddingPlacesTheGroupBesideOrUnderTheSelectedNode) {
    add({{1, 0, "top"}, {2, 1, "child"}});
    const struct {
        int selected;
        bool child;
        int parent;
    } cases[] = {
        {0, false, 0},
        {0, true, 0},
        {1, false, 0},
        {1, true, 1},
        {2, false, 1},
        {2, true, 2},
    };
    for (const auto& c : cases) {
        load();
        select(c.selected);
        QAction* action = c.child ? utils->acAddChild() : utils->acAdd();
        action->trigger();
        const std::string where = QString("selected %1, child %2").arg(c.selected).arg(c.child).toStdString();
        EXPECT_EQ(row(3), QString::number(c.parent) + QString::fromUtf8("|未命名分类|abc")) << where;
        QTreeWidgetItem* added = node(3);
        ASSERT_NE(added, nullptr) << where;
        EXPECT_EQ(added->parent(), node(c.parent)) << where;
        EXPECT_EQ(added->parent()->indexOfChild(added), added->parent()->childCount() - 1) << where;
        EXPECT_FALSE(added->isSelected()) << where;
        EXPECT_EQ(utils->SelectedId(), c.selected) << where;
        db.execute(SqlText("delete from tel where ID=3"));
    }
}

TEST_F(TreeUtilsTest, AFailedInsertLeavesTheTreeAsItWasAndShowsNothing) {
    add({{1, 0, "top"}});
    load();
    db.execute(SqlText("create trigger refuse before insert on tel begin select raise(abort, 'no'); end"));
    const QString before = shape();
    EXPECT_FALSE(utils->AddNode("x"));
    EXPECT_FALSE(utils->AddChildNode("x", node(1)));
    EXPECT_EQ(shape(), before);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(utils->lastStatement().startsWith("insert into tel"));
}

TEST_F(TreeUtilsTest, RenamingChangesTheRowAndTheNodeTheRootOnlyInTheTree) {
    add({{1, 0, "old"}, {0, 0, "row numbered like the root"}});
    load();
    ASSERT_TRUE(utils->RenameNode("客户'甲\"", node(1)));
    EXPECT_EQ(row(1), QString::fromUtf8("0|客户'甲\"|abc"));
    EXPECT_EQ(shape(node(1)), QString::fromUtf8("客户'甲\"(1)"));

    ASSERT_TRUE(utils->RenameNode("root", utils->rootNode()));
    EXPECT_EQ(shape(utils->rootNode()).left(7), "root(0)");
    EXPECT_EQ(row(0), "0|row numbered like the root|abc");
    load();
    EXPECT_EQ(utils->rootNode()->text(0), QString::fromUtf8("我的目录"));
}

// "编辑分类" edits the caption in place; confirming the edit renames the group.
TEST_F(TreeUtilsTest, EditingInPlaceRenamesTheGroup) {
    add({{1, 0, "old"}});
    screen.show();
    load();
    select(1);
    QLineEdit* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText("new name");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the edit once the key event is over.
    QCoreApplication::processEvents();
    EXPECT_EQ(row(1), "0|new name|abc");
    EXPECT_EQ(utils->SelectedCaption(), "new name");

    // A rename the table refuses keeps the edited text on screen until the next load.
    db.execute(SqlText("create trigger refuse before update on tel begin select raise(abort, 'no'); end"));
    editor = openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText("refused");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the edit once the key event is over.
    QCoreApplication::processEvents();
    EXPECT_EQ(row(1), "0|new name|abc");
    EXPECT_EQ(shape(node(1)), "new name(1){shown refused}");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(TreeUtilsTest, MovingOntoItselfItsParentOrBelowItChangesNothing) {
    add({{1, 0, "a"}, {2, 1, "b"}, {3, 2, "c"}, {4, 3, "d"}, {5, 0, "e"}});
    load();
    const struct {
        int moved;
        int target;
        bool moves;
        int parentAfter; // in the table
    } cases[] = {
        {2, 2, false, 1}, // itself
        {2, 1, false, 1}, // its parent
        {2, 3, false, 1}, // its child
        {2, 4, false, 1}, // the last node of the whole tree, below it
        {1, 0, false, 0}, // onto the root, where it is
        {2, 0, true, 0},
        {3, 5, true, 5},
    };
    for (const auto& c : cases) {
        const QString before = shape();
        EXPECT_EQ(utils->MoveNode(c.target, node(c.moved)), c.moves) << c.moved << " onto " << c.target;
        EXPECT_EQ(row(c.moved).section('|', 0, 0).toInt(), c.parentAfter) << c.moved << " onto " << c.target;
        // The tree waits for the caller's reload.
        EXPECT_EQ(shape(), before);
    }
    EXPECT_FALSE(utils->MoveNode(5, utils->rootNode()));
    EXPECT_FALSE(utils->MoveNode(5, nullptr));
}

TEST_F(TreeUtilsTest, DroppingAGroupAsksTheScreensQuestionThenMovesAndReloads) {
    add({{1, 0, "a"}, {2, 0, "b"}});
    load();
    select(2);
    messages.answers = {MessageButton::No};
    utils->dropOn(node(1), tree);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("您确认要移动到目录吗？"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
    EXPECT_EQ(row(2), "0|b|abc");

    QSignalSpy loaded(utils.get(), &TTreeUtils::loaded);
    messages.answers = {MessageButton::Yes};
    utils->dropOn(node(1), tree);
    EXPECT_EQ(row(2), "1|b|abc");
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)[a(1)[b(2)]]"));
}

// The address book's grid drops contacts on groups: the tree asks and hands the target over.
TEST_F(TreeUtilsTest, DropsFromAnAcceptedControlComeOutAsASignal) {
    add({{1, 0, "a"}});
    load();
    QWidget grid;
    QWidget stranger;
    utils->acceptDropsFrom(&grid);
    QSignalSpy dropped(utils.get(), &TTreeUtils::droppedFrom);
    utils->dropOn(node(1), &stranger);
    utils->dropOn(nullptr, &grid);
    EXPECT_TRUE(messages.shown.isEmpty());
    messages.answers = {MessageButton::No, MessageButton::Yes};
    utils->dropOn(node(1), &grid);
    EXPECT_TRUE(dropped.isEmpty());
    utils->dropOn(node(1), &grid);
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped[0][0].value<QObject*>(), &grid);
    EXPECT_EQ(dropped[0][1].toInt(), 1);
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(row(1), "0|a|abc");
}

TEST_F(TreeUtilsTest, DeletingAGroupRemovesItsSubtreeRowsAndNodes) {
    add({{1, 0, "a"}, {2, 1, "b", "guest"}, {3, 2, "c"}, {4, 0, "d"}, {5, 1, "e"}});
    load();
    select(1);
    ASSERT_TRUE(utils->DeleteNode(node(1)));
    for (int id : {1, 2, 3, 5})
        EXPECT_EQ(row(id), "none") << id;
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)[d(4)]"));
    // The deleted group's parent is selected in its place.
    EXPECT_EQ(utils->SelectedId(), 0);

    try {
        utils->DeleteNode(utils->rootNode());
        ADD_FAILURE() << "the root was deleted";
    } catch (const Error& error) {
        EXPECT_EQ(error.reason(), QString::fromUtf8("禁止删除根节目录！"));
    }
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)[d(4)]"));

    db.execute(SqlText("create trigger refuse before delete on tel begin select raise(abort, 'no'); end"));
    EXPECT_FALSE(utils->DeleteNode(node(4)));
    EXPECT_EQ(shape(), QString::fromUtf8("我的目录(0)[d(4)]"));
}

// "删除分类" asks, lets the screen delete the group's contents, then deletes the groups.
TEST_F(TreeUtilsTest, TheDeleteActionAsksThenDeletesTheContentsThenTheGroups) {
    add({{1, 0, "客户"}, {2, 1, "b"}});
    load();
    QList<TNodeData> contentsDeleted;
    bool groupStillThere = false;
    utils->setDeleteContents([&](const TNodeData& group) {
        contentsDeleted << group;
        groupStillThere = row(1) != "none";
    });
    select(1);
    messages.answers = {MessageButton::No};
    utils->acDelete()->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              QString::fromUtf8("请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"客户\"吗?"));
    EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8("提示"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_TRUE(contentsDeleted.isEmpty());
    EXPECT_EQ(rowCount(), 2);

    utils->acDelete()->trigger();
    ASSERT_EQ(contentsDeleted.size(), 1);
    EXPECT_EQ(contentsDeleted[0], (TNodeData{1, QString::fromUtf8("客户")}));
    EXPECT_TRUE(groupStillThere);
    EXPECT_EQ(rowCount(), 0);

    // The root: the contents go, the tree refuses silently.
    select(0);
    utils->acDelete()->trigger();
    EXPECT_EQ(contentsDeleted.size(), 2);
    EXPECT_EQ(contentsDeleted[1].Index, 0);
    EXPECT_EQ(messages.shown.size(), 3);

    // A failing contents delete ends the action quietly before the groups go.
    add({{3, 0, "kept"}});
    load();
    utils->setDeleteContents([](const TNodeData&) { throw DatabaseError("locked"); });
    select(3);
    utils->acDelete()->trigger();
    EXPECT_EQ(row(3), "0|kept|abc");
    EXPECT_EQ(messages.shown.size(), 4);
}

TEST_F(TreeUtilsTest, SelectingANodeReportsItAndItsParent) {
    add({{1, 0, "a"}, {2, 1, "b"}});
    load();
    QSignalSpy selected(utils.get(), &TTreeUtils::nodeSelected);
    select(2);
    select(0);
    ASSERT_EQ(selected.size(), 2);
    EXPECT_EQ(selected[0][0].value<TNodeData>(), (TNodeData{2, "b"}));
    EXPECT_EQ(selected[0][1].value<TNodeData>(), (TNodeData{1, "a"}));
    EXPECT_EQ(selected[1][0].value<TNodeData>(), (TNodeData{0, QString::fromUtf8("我的目录")}));
    EXPECT_EQ(selected[1][1].value<TNodeData>(), (TNodeData{0, QString::fromUtf8("我的目录")}));
    // Loads and the binder's own changes are not the user's selections.
    load();
    utils->AddNode("x");
    EXPECT_EQ(selected.size(), 2);
}

// A click on the group already selected (say, after a search listed other rows) reports it again,
// so that its screen lists it again; a click that selects a group reports it once.
TEST_F(TreeUtilsTest, ClickingTheSelectedNodeReportsItAgain) {
    add({{1, 0, "a"}, {2, 0, "b"}});
    load();
    screen.show();
    QSignalSpy selected(utils.get(), &TTreeUtils::nodeSelected);
    const auto click = [&](int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(node(index)).center());
    };
    click(1);
    ASSERT_EQ(selected.size(), 1);
    click(1);
    click(1);
    click(2);
    // The right button opens the group menu; it lists nothing.
    click(2, Qt::RightButton);
    ASSERT_EQ(selected.size(), 4);
    const QList<int> reported{selected[0][0].value<TNodeData>().Index,
                              selected[1][0].value<TNodeData>().Index,
                              selected[2][0].value<TNodeData>().Index,
                              selected[3][0].value<TNodeData>().Index};
    EXPECT_EQ(reported, (QList<int>{1, 1, 1, 2}));
}

TEST_F(TreeUtilsTest, ExecSqlReportsSuccessAndRemembersTheStatement) {
    EXPECT_TRUE(utils->ExecSql(SqlText("update tel set Caption=").value("x")));
    EXPECT_EQ(utils->lastStatement(), "update tel set Caption=?");
    EXPECT_FALSE(utils->ExecSql(SqlText("update no_such_table set a=1")));
    EXPECT_EQ(utils->lastStatement(), "update no_such_table set a=1");
}

// The edit that names new groups belongs to the tree and is never shown.
TEST_F(TreeUtilsTest, TheMenuActionsAndTheHiddenCaptionEditAreNamed) {
    screen.show();
    const auto* edit = child<QLineEdit>(screen, "edtCaption");
    EXPECT_EQ(edit->text(), QString::fromUtf8("未命名分类"));
    EXPECT_FALSE(edit->isVisible());
    const struct {
        const char* name;
        const char* text;
    } actions[] = {{"acAdd", "添加分类"},
                   {"acAddChild", "添加子分类"},
                   {"acEdit", "编辑分类"},
                   {"acDelete", "删除分类"}};
    for (const auto& a : actions)
        EXPECT_EQ(child<QAction>(screen, a.name)->text(), QString::fromUtf8(a.text));
}

} // namespace
} // namespace parlumo
