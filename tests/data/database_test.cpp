#include "data/conditions.h"
#include "data/database.h"

#include "tests/support/program_fixture.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <sys/stat.h>
#include <thread>

namespace parlumo {
namespace {

class DatabaseTest : public test::ProgramFolderTest {
protected:
    DatabaseTest() : db(file("db.db")) {}

    QStringList column(const SqlText& statement) {
        QSqlQuery rows = db.execute(statement);
        QStringList values;
        while (rows.next())
            values << rows.value(0).toString();
        return values;
    }
    void insertSend(const QString& uid, const QString& msg, const QString& intime) {
        db.execute(SqlText("insert into send (uid,msg,intime) values (")
                       .value(uid)
                       .add(",")
                       .value(msg)
                       .add(",")
                       .value(intime)
                       .add(")"));
    }

    Database db;
};

TEST_F(DatabaseTest, DateRangeIsStrictAtBothEnds) {
    insertSend("u", "before", "2008-11-26 23:59:59");
    insertSend("u", "midnight", "2008-11-27 00:00:00");
    insertSend("u", "first second", "2008-11-27 00:00:01");
    insertSend("u", "morning", "2008-11-27 08:30:00");
    insertSend("u", "second to last", "2008-11-27 23:59:58");
    insertSend("u", "last second", "2008-11-27 23:59:59");
    insertSend("u", "next day", "2008-11-28 00:00:01");
    const QDate day(2008, 11, 27);
    EXPECT_EQ(
        column(
            SqlText("select msg from send where ").add(dateRangeCondition(day, day)).add(newestFirst("sid"))),
        (QStringList{"second to last", "morning", "first second"}));
    EXPECT_EQ(column(SqlText("select msg from send where ")
                         .add(dateRangeCondition(day, day.addDays(1)))
                         .add(" order by sid")),
              (QStringList{"first second", "morning", "second to last", "last second", "next day"}));
}

TEST_F(DatabaseTest, GuestRowsAreSharedOnlyInPhrasesAndGroups) {
    for (const char* uid : {"guest", "alice", "bob"}) {
        db.execute(SqlText("insert into mbsms (msg,uid) values (")
                       .value(QString("phrase of ") + uid)
                       .add(",")
                       .value(uid)
                       .add(")"));
        db.execute(SqlText("insert into telbook (tname,uid) values (")
                       .value(QString("contact of ") + uid)
                       .add(",")
                       .value(uid)
                       .add(")"));
    }
    EXPECT_EQ(column(SqlText("select msg from mbsms where ")
                         .add(accountOrGuestCondition(" alice "))
                         .add(" order by id")),
              (QStringList{"phrase of guest", "phrase of alice"}));
    EXPECT_EQ(column(SqlText("select tname from telbook where ").add(accountCondition(" alice "))),
              QStringList{"contact of alice"});
    EXPECT_EQ(column(SqlText("select tname from telbook where ").add(accountCondition("guest"))),
              QStringList{"contact of guest"});
    EXPECT_EQ(column(SqlText("select msg from mbsms where ")
                         .add(accountOrGuestCondition("guest"))
                         .add(" order by id")),
              QStringList{"phrase of guest"});
}

TEST_F(DatabaseTest, ValuesFullOfQuotesAndSqlAreStoredIntact) {
    const QString hostile = QString::fromUtf8("it's \"quoted\"'); delete from send; -- 中文 %_\\");
    db.execute(
        SqlText("insert into send (uid,msg) values (").value(hostile).add(",").value(hostile).add(")"));
    db.execute(SqlText("insert into send (uid,msg) values ('other','plain')"));
    EXPECT_EQ(column(SqlText("select msg from send where ").add(accountCondition(hostile))),
              QStringList{hostile});
    EXPECT_EQ(column(SqlText("select count(*) from send")), QStringList{"2"});
}

TEST_F(DatabaseTest, SubstringSearchMatchesTheKeyLiterally) {
    for (const char* msg : {"50% off", "500 off", "a_b", "axb", "back\\slash", "Hello"})
        db.execute(SqlText("insert into send (uid,msg) values ('u',").value(msg).add(")"));
    const struct {
        const char* key;
        QStringList expected;
    } cases[] = {
        {"%", {"50% off"}},
        {"_", {"a_b"}},
        {"\\", {"back\\slash"}},
        {"hello", {"Hello"}}, // like ignores the case of letters
        {"", {"50% off", "500 off", "a_b", "axb", "back\\slash", "Hello"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(column(SqlText("select msg from send where ")
                             .add(containsCondition("msg", c.key))
                             .add(" order by sid")),
                  c.expected)
            << c.key;
    EXPECT_EQ(column(SqlText("select msg from send where ").add(instrCondition("msg", "%"))),
              QStringList{"50% off"});
    EXPECT_TRUE(column(SqlText("select msg from send where ").add(instrCondition("msg", "hello"))).isEmpty());
}

TEST_F(DatabaseTest, InsertTimeDefaultsToLocalTime) {
    const struct {
        const char *table, *column;
    } inserts[] = {{"send", "tag"},
                   {"mms_list", "tag"},
                   {"vlist", "tag"},
                   {"Faxlist", "tag"},
                   {"faxlist", "tag"},
                   {"vlog", "tag"},
                   {"faxlog", "tag"},
                   {"telbook", "memo"},
                   {"backsms", "msg"}};
    const QString before = databaseTimestamp(QDateTime::currentDateTime().addSecs(-1));
    for (const auto& insert : inserts)
        db.execute(SqlText(QString("insert into %1 (%2) values ('x')").arg(insert.table, insert.column)));
    const QString after = databaseTimestamp(QDateTime::currentDateTime().addSecs(1));
    for (const auto& insert : inserts) {
        const QStringList stamps = column(SqlText(QString("select intime from %1").arg(insert.table)));
        ASSERT_FALSE(stamps.isEmpty()) << insert.table;
        for (const QString& stamp : stamps) {
            EXPECT_TRUE(QDateTime::fromString(stamp, "yyyy-MM-dd HH:mm:ss").isValid()) << stamp.toStdString();
            EXPECT_GE(stamp, before) << insert.table;
            EXPECT_LE(stamp, after) << insert.table;
        }
    }
}

TEST_F(DatabaseTest, ConnectionOpensAgainAfterCloseAndEachThreadHasItsOwn) {
    const qint64 first = db.insert(SqlText("insert into send (uid) values ('a')"));
    db.close();
    EXPECT_FALSE(db.connection().databaseName().isEmpty());
    const qint64 second = db.insert(SqlText("insert into send (uid) values ('a')"));
    EXPECT_GT(second, first);

    std::thread worker([this] {
        for (int i = 0; i < 50; ++i) {
            db.execute(SqlText("insert into send (uid) values ('worker')"));
            db.close();
        }
        db.releaseThreadConnection();
    });
    for (int i = 0; i < 50; ++i)
        db.execute(SqlText("insert into send (uid) values ('ui')"));
    worker.join();
    EXPECT_EQ(column(SqlText("select count(*) from send where uid='worker'")), QStringList{"50"});
    EXPECT_EQ(column(SqlText("select count(*) from send where uid='ui'")), QStringList{"50"});
}

// What a program ending at any moment leaves on disk: the file and its write-ahead log as they
// are while the connection is still open.
TEST_F(DatabaseTest, ACommittedRowIsInTheFilesBeforeTheConnectionCloses) {
    db.insert(SqlText("insert into send (uid,msg) values ('u','kept')"));
    ASSERT_TRUE(QFile::copy(file("db.db"), file("copy.db")));
    ASSERT_TRUE(QFile::copy(file("db.db-wal"), file("copy.db-wal")));
    Database copy(file("copy.db"));
    QSqlQuery rows = copy.execute(SqlText("select msg from send"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.value(0).toString(), QStringLiteral("kept"));
}

// A file written by an older build without the write-ahead log opens with it, its rows intact.
TEST_F(DatabaseTest, AnOlderFileOpensWithTheLogAndNormalSyncing) {
    db.insert(SqlText("insert into send (uid,msg) values ('u','old')"));
    db.releaseThreadConnection();
    {
        QSqlDatabase older =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older-build"));
        older.setDatabaseName(file("db.db"));
        ASSERT_TRUE(older.open());
        QSqlQuery(older).exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        older.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older-build"));
    ASSERT_FALSE(QFile::exists(file("db.db-wal")));

    Database reopened(file("db.db"));
    reopened.verify();
    EXPECT_EQ(column(SqlText("select msg from send")), QStringList{"old"});
    QSqlQuery mode = reopened.execute(SqlText("PRAGMA journal_mode"));
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), QStringLiteral("wal"));
    QSqlQuery sync = reopened.execute(SqlText("PRAGMA synchronous"));
    ASSERT_TRUE(sync.next());
    EXPECT_EQ(sync.value(0).toInt(), 1); // NORMAL
}

TEST_F(DatabaseTest, FailedStatementRaisesWithTheReason) {
    try {
        db.execute(SqlText("select nothing from nowhere"));
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.reason().contains("nowhere")) << error.what();
    }
}

TEST_F(DatabaseTest, FileIsCreatedReadableByTheUserAlone) {
    db.createIfMissing();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file("db.db")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

} // namespace
} // namespace parlumo
