#include "data/contact_rows.h"
#include "data/database.h"

#include "tests/support/program_fixture.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace parlumo {
namespace {

class ContactRowsTest : public test::ProgramFolderTest {
protected:
    ContactRowsTest() : db(file("db.db")) {}

    // Every contact as "mobno|tname|othertel|memo|uid|tid", NULL shown as "<null>", in key order.
    QStringList contacts() {
        QSqlQuery rows =
            db.execute(SqlText("select mobno,tname,othertel,memo,uid,tid from telbook order by id"));
        QStringList all;
        while (rows.next()) {
            QStringList fields;
            for (int i = 0; i < 6; ++i)
                fields << (rows.isNull(i) ? QStringLiteral("<null>") : rows.value(i).toString());
            all << fields.join('|');
        }
        return all;
    }

    Database db;
};

TEST_F(ContactRowsTest, StoresEveryRowForTheAccountAndGroupWithHostileTextsIntact) {
    db.execute(SqlText("insert into telbook (mobno,uid,tid) values ('13000000000','demo',3)"));
    const QList<ContactRow> rows{
        {"13800138000", "O'Brien", "010-6234'5678", "it's \"quoted\""},
        {"13900139000", "'); delete from telbook; --", "", ""},
        {"013912345678", QString(), QString(), QString::fromUtf8("备注")},
    };
    insertContactRows(db, "demo", 7, rows);
    EXPECT_EQ(contacts(),
              (QStringList{"13000000000|<null>|<null>|<null>|demo|3",
                           "13800138000|O'Brien|010-6234'5678|it's \"quoted\"|demo|7",
                           "13900139000|'); delete from telbook; --|||demo|7",
                           QString::fromUtf8("013912345678|||备注|demo|7")}));
    // Empty cells are stored as empty text, so that a "like '%%'" search still lists the contact.
    QSqlQuery named = db.execute(SqlText("select count(*) from telbook where tid=7 and tname like '%%'"));
    ASSERT_TRUE(named.next());
    EXPECT_EQ(named.value(0).toInt(), 3);
    QSqlQuery stamped = db.execute(SqlText("select intime from telbook where tid=7"));
    static const QRegularExpression localTime(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)");
    while (stamped.next())
        EXPECT_TRUE(localTime.match(stamped.value(0).toString()).hasMatch())
            << stamped.value(0).toString().toStdString();
}

TEST_F(ContactRowsTest, OneRowReturnsItsKeyAndNoRowsStoreNothing) {
    const qint64 first = insertContactRow(db, "demo", 0, {"13800138000", "a", "b", "c"});
    const qint64 second = insertContactRow(db, "demo", 0, {"13800138001", "d", "e", "f"});
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1);
    insertContactRows(db, "demo", 0, {});
    EXPECT_EQ(contacts().size(), 2);
}

TEST_F(ContactRowsTest, AFailingRowLeavesNoneOfTheRowsStored) {
    db.execute(SqlText("create trigger refuse before insert on telbook when new.mobno='13800000003' "
                       "begin select raise(abort,'refused'); end"));
    QList<ContactRow> rows;
    for (int i = 1; i <= 5; ++i)
        rows.append({QStringLiteral("1380000000%1").arg(i), "n", "", ""});
    EXPECT_THROW(insertContactRows(db, "demo", 0, rows), DatabaseError);
    EXPECT_TRUE(contacts().isEmpty());
    // The connection is usable afterwards and no transaction is left open.
    insertContactRows(db, "demo", 0, rows.mid(0, 2));
    EXPECT_EQ(contacts().size(), 2);
}

} // namespace
} // namespace parlumo
