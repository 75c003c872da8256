#include "data/tree_table.h"

#include "data/database.h"

#include "tests/support/program_fixture.h"

#include <QSqlQuery>

namespace parlumo {
namespace {

struct Group {
    int id;
    int pid;
    const char* caption;
    const char* uid;
};

class TreeTableTest : public test::ProgramFolderTest {
protected:
    TreeTableTest() : db(file("db.db")), table(db, TreeColumns{"tel"}) {}

    void add(const QList<Group>& groups, const QString& tableName = "tel") {
        for (const Group& g : groups)
            db.execute(SqlText("insert into " + tableName + " (ID,PID,Caption,uid) values (")
                           .value(g.id)
                           .add(",")
                           .value(g.pid)
                           .add(",")
                           .value(QString::fromUtf8(g.caption))
                           .add(",")
                           .value(QString::fromUtf8(g.uid))
                           .add(")"));
    }
    QList<int> ids(const QString& tableName = "tel") {
        QSqlQuery rows = db.execute(SqlText("select ID from " + tableName + " order by ID"));
        QList<int> found;
        while (rows.next())
            found << rows.value(0).toInt();
        return found;
    }
    QString row(int id) {
        QSqlQuery r = db.execute(SqlText("select PID, Caption, uid from tel where ID=").value(id));
        if (!r.next())
            return "none";
        return r.value(0).toString() + "|" + r.value(1).toString() + "|" + r.value(2).toString();
    }
    // The walk as text: "parent:child,child;" per level read.
    QString walked(TreeTable& t, const QString& uid) {
        QString text;
        t.walk(uid, [&text](int parentId, const QList<TreeRow>& children) {
            text += QString::number(parentId) + ":";
            for (const TreeRow& c : children)
                text += QString::number(c.id) + c.caption + ",";
            text += ";";
        });
        return text;
    }

    Database db;
    TreeTable table;
};

TEST_F(TreeTableTest, StatementsBindEveryValue) {
    const TreeColumns tel{"tel"};
    const struct {
        SqlText statement;
        const char* text;
        QVariantList values;
    } cases[] = {
        {treeLevelStatement(tel, " abc ", 3),
         "select ID, Caption from tel where (uid=? or uid=?) and PID=?",
         {"abc", "guest", 3}},
        {treeInsertStatement(tel, 7, 0, "未命名\"分类'", " abc "),
         "insert into tel (ID,PID,Caption,uid) values(?,?,?,?)",
         {7, 0, QString::fromUtf8("未命名\"分类'"), "abc"}},
        {treeRenameStatement(tel, 7, "x"), "update tel set Caption=? where ID=?", {"x", 7}},
        {treeMoveStatement(tel, 7, 3), "update tel set PID=? where ID=?", {3, 7}},
        {treeDeleteStatement(tel, 7), "delete from tel where ID=?", {7}},
        {treeLargestIdStatement(tel), "select max(ID) from tel", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.statement.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(c.statement.values(), c.values) << c.text;
    }
}

TEST_F(TreeTableTest, ALevelHoldsTheAccountsAndTheGuestGroupsWithTheIdentifierTrimmed) {
    add({{1, 0, "mine", "abc"},
         {2, 0, "shared", "guest"},
         {3, 0, "theirs", "xyz"},
         {4, 1, "child", "abc"},
         {5, 0, "blank", " abc "}});
    for (const char* uid : {"abc", " abc ", "abc\t"}) {
        const QList<TreeRow> level = table.children(uid, 0);
        EXPECT_EQ(level, (QList<TreeRow>{{1, "mine"}, {2, "shared"}})) << uid;
    }
    EXPECT_EQ(table.children("abc", 1), (QList<TreeRow>{{4, "child"}}));
    EXPECT_EQ(table.children("xyz", 0), (QList<TreeRow>{{2, "shared"}, {3, "theirs"}}));
}

TEST_F(TreeTableTest, ChangesKeepQuotesAndReachOneRow) {
    const QString caption = QString::fromUtf8("客户\"甲'组");
    table.insert(7, 0, caption, " abc ");
    table.insert(8, 7, "b", "abc");
    EXPECT_EQ(row(7), "0|" + caption + "|abc");
    table.rename(8, "it's");
    EXPECT_EQ(row(8), "7|it's|abc");
    table.move(8, 0);
    EXPECT_EQ(row(8), "0|it's|abc");
    EXPECT_EQ(row(7), "0|" + caption + "|abc");
    EXPECT_THROW(table.insert(7, 0, "again", "abc"), DatabaseError);
}

TEST_F(TreeTableTest, LargestIdCountsEveryAccount) {
    EXPECT_EQ(table.largestId(), 0);
    add({{1, 0, "a", "abc"}, {9, 0, "z", "xyz"}, {4, 0, "g", "guest"}});
    EXPECT_EQ(table.largestId(), 9);
}

TEST_F(TreeTableTest, DeletingASubtreeRemovesEveryVisibleLevelGuestRowsIncluded) {
    add({{1, 0, "top", "abc"},
         {2, 1, "child", "guest"},
         {3, 2, "grandchild", "abc"},
         {4, 1, "other account's child", "xyz"},
         {5, 4, "below it", "xyz"},
         {6, 0, "sibling", "abc"},
         {7, 6, "sibling's child", "abc"}});
    table.deleteSubtree("abc", 1);
    // The other account's group under it is not seen, so it stays, with what is under it.
    EXPECT_EQ(ids(), (QList<int>{4, 5, 6, 7}));
}

// Parent numbers that run in a circle end the delete and the walk instead of hanging them.
TEST_F(TreeTableTest, CyclesOfParentNumbersEndDeletesAndWalks) {
    add({{5, 5, "own parent", "abc"}, {7, 8, "seven", "abc"}, {8, 7, "eight", "abc"}, {9, 8, "nine", "abc"}});
    table.deleteSubtree("abc", 5);
    EXPECT_EQ(ids(), (QList<int>{7, 8, 9}));
    table.deleteSubtree("abc", 7);
    EXPECT_TRUE(ids().isEmpty());

    // A row numbered like the root, and a table whose numbers repeat (no key), still end.
    db.execute(SqlText("create table loose (ID INTEGER, PID INTEGER, Caption TEXT, uid TEXT)"));
    add({{0, 0, "claims the root", "abc"}, {1, 0, "a", "abc"}, {2, 1, "b", "abc"}, {1, 2, "a again", "abc"}},
        "loose");
    TreeTable loose(db, TreeColumns{"loose"});
    EXPECT_EQ(walked(loose, "abc"), "0:1a,;1:2b,;2:;");
    loose.deleteSubtree("abc", 1);
    EXPECT_EQ(ids("loose"), (QList<int>{0}));
}

TEST_F(TreeTableTest, WalkReadsDepthFirstInTheTablesOrder) {
    add({{1, 0, "a", "abc"},
         {2, 1, "a1", "guest"},
         {3, 0, "b", "abc"},
         {4, 2, "a1x", "abc"},
         {5, 1, "a2", "abc"},
         {6, 3, "hidden", "xyz"}});
    EXPECT_EQ(walked(table, "abc"), "0:1a,3b,;1:2a1,5a2,;2:4a1x,;4:;5:;3:;");
    // A guest group under another account's group is not reached.
    EXPECT_EQ(walked(table, "nobody"), "0:;");
}

TEST_F(TreeTableTest, WalkStopsWhenCancelled) {
    add({{1, 0, "a", "abc"}, {2, 1, "b", "abc"}});
    std::atomic<bool> cancelled{false};
    int levels = 0;
    table.walk(
        "abc",
        [&](int, const QList<TreeRow>&) {
            ++levels;
            cancelled = true;
        },
        &cancelled);
    EXPECT_EQ(levels, 1);
}

TEST_F(TreeTableTest, AFailedStatementRaisesAndAFailedDeleteLeavesEveryRow) {
    add({{1, 0, "a", "abc"}, {2, 1, "b", "abc"}});
    TreeTable missing(db, TreeColumns{"no_such_table"});
    EXPECT_THROW(missing.children("abc", 0), DatabaseError);
    EXPECT_THROW(missing.largestId(), DatabaseError);
    // The deepest delete fails on a trigger: the whole subtree delete is undone.
    db.execute(SqlText("create trigger keep_b before delete on tel when old.ID = 2 "
                       "begin select raise(abort, 'kept'); end"));
    EXPECT_THROW(table.deleteSubtree("abc", 1), DatabaseError);
    EXPECT_EQ(ids(), (QList<int>{1, 2}));
}

} // namespace
} // namespace parlumo
