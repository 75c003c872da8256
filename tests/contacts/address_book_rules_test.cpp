#include "contacts/address_book_rules.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"

#include <QSqlQuery>

namespace parlumo {
namespace {

TEST(ContactNumberCheckTest, DigitsWithOneInnerPointPass) {
    const struct {
        const char* number;
        ContactNumberCheck expected;
    } cases[] = {
        {"", ContactNumberCheck::Empty},
        {"1", ContactNumberCheck::Accepted},
        {"13912345678", ContactNumberCheck::Accepted},
        {"138.5", ContactNumberCheck::Accepted},
        {"138a5", ContactNumberCheck::NotANumber},
        {".138", ContactNumberCheck::NotANumber},
        {"138.", ContactNumberCheck::NotANumber},
        {"13.8.5", ContactNumberCheck::NotANumber},
        {".", ContactNumberCheck::NotANumber},
        {" 138", ContactNumberCheck::NotANumber},
        {"１３８", ContactNumberCheck::NotANumber}, // full-width digits are not digits here
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkContactNumber(QString::fromUtf8(c.number)), c.expected) << c.number;
}

class ContactStatementsTest : public test::ProgramFolderTest {
protected:
    ContactStatementsTest() : db(file("db.db")) {
        const struct {
            const char *uid, *mobno, *tname;
            int tid;
        } rows[] = {
            {"abc", "13900000001", "张三", 0},
            {"abc", "13800000139", "李四", 3},
            {"abc", "13700000002", "王_五%", 4},
            {"abc", "13600000003", "O'Neil", 3},
            {"xyz", "13900000009", "张三", 0},
        };
        for (const auto& r : rows)
            db.execute(SqlText("insert into telbook (uid,mobno,tname,tid) values (")
                           .value(QString::fromUtf8(r.uid))
                           .add(",")
                           .value(QString::fromUtf8(r.mobno))
                           .add(",")
                           .value(QString::fromUtf8(r.tname))
                           .add(",")
                           .value(r.tid)
                           .add(")"));
    }
    QStringList numbers(const SqlText& statement) {
        QSqlQuery rows = db.execute(statement);
        QStringList values;
        while (rows.next())
            values << rows.value(QStringLiteral("mobno")).toString();
        return values;
    }

    Database db;
};

// The root lists every contact of the account; a group only those filed directly in it.
TEST_F(ContactStatementsTest, GroupListsTheAccountsContactsFiledInIt) {
    EXPECT_EQ(numbers(contactsOfGroup(" abc ", 0)),
              (QStringList{"13900000001", "13800000139", "13700000002", "13600000003"}));
    EXPECT_EQ(numbers(contactsOfGroup("abc", 3)), (QStringList{"13800000139", "13600000003"}));
    EXPECT_TRUE(numbers(contactsOfGroup("abc", 9)).isEmpty());
}

TEST_F(ContactStatementsTest, SearchMatchesTheKeyLiterallyInAnyGroup) {
    const struct {
        bool byName;
        const char* key;
        QStringList expected;
    } cases[] = {
        {false, "139", {"13900000001", "13800000139"}},
        {true, " 张三 ", {"13900000001"}},
        {true, "_", {"13700000002"}},
        {true, "%", {"13700000002"}},
        {true, "'", {"13600000003"}},
        {true, "", {"13900000001", "13800000139", "13700000002", "13600000003"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbers(contactSearch("abc", c.byName, QString::fromUtf8(c.key))), c.expected) << c.key;
}

TEST_F(ContactStatementsTest, MoveAndDeleteTouchOnlyWhatTheyName) {
    QSqlQuery first = db.execute(SqlText("select id from telbook where mobno='13900000001'"));
    ASSERT_TRUE(first.next());
    db.execute(moveContactToGroup(4, first.value(0).toLongLong()));
    EXPECT_EQ(numbers(contactsOfGroup("abc", 4)), (QStringList{"13900000001", "13700000002"}));

    db.execute(deleteContactsOfGroup("abc", 3));
    EXPECT_EQ(numbers(contactsOfGroup("abc", 0)), (QStringList{"13900000001", "13700000002"}));
    db.execute(deleteContactsOfGroup("xyz", 0));
    EXPECT_TRUE(numbers(contactsOfGroup("xyz", 0)).isEmpty());
    EXPECT_EQ(numbers(contactsOfGroup("abc", 0)).size(), 2);
}

TEST_F(ContactStatementsTest, DeleteContactTakesOnlyTheAccountsOwnRow) {
    QSqlQuery first = db.execute(SqlText("select id from telbook where mobno='13900000001'"));
    ASSERT_TRUE(first.next());
    const qint64 id = first.value(0).toLongLong();
    db.execute(deleteContact("xyz", id));
    EXPECT_EQ(numbers(contactsOfGroup("abc", 0)).size(), 4);
    db.execute(deleteContact(" abc ", id));
    EXPECT_EQ(numbers(contactsOfGroup("abc", 0)), (QStringList{"13800000139", "13700000002", "13600000003"}));
}

TEST(DeleteGroupQuestionTest, NamesTheGroupInQuotes) {
    EXPECT_EQ(deleteGroupQuestion("客户"),
              "请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"客户\"吗?");
}

} // namespace
} // namespace parlumo
