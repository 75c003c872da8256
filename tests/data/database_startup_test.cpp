#include "data/database_startup.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace parlumo {
namespace {

class DatabaseStartupTest : public test::ProgramFolderTest {
protected:
    // A database file holding one row of `send` with the given content.
    void makeDatabase(const QString& name, const QString& msg) {
        Database db(file(name));
        db.execute(SqlText("insert into send (uid,msg) values ('u',").value(msg).add(")"));
    }
    QStringList messagesIn(const QString& name) {
        Database db(file(name));
        QSqlQuery rows = db.execute(SqlText("select msg from send order by sid"));
        QStringList values;
        while (rows.next())
            values << rows.value(0).toString();
        return values;
    }
};

TEST_F(DatabaseStartupTest, BothFilesPresentLeavesEachInPlace) {
    makeDatabase("db.db", "live");
    makeDatabase("db.bak", "spare");
    const QByteArray spare = readBytes("db.bak");
    prepareDatabaseFiles(folder());
    EXPECT_EQ(messagesIn("db.db"), QStringList{"live"});
    EXPECT_EQ(readBytes("db.bak"), spare);
}

TEST_F(DatabaseStartupTest, OnlyTheSpareCopyBecomesTheDatabase) {
    makeDatabase("db.bak", "spare");
    prepareDatabaseFiles(folder());
    EXPECT_FALSE(QFileInfo::exists(file("db.bak")));
    EXPECT_EQ(messagesIn("db.db"), QStringList{"spare"});
}

TEST_F(DatabaseStartupTest, NeitherFileLeavesNothingForTheFirstOpenToCreate) {
    prepareDatabaseFiles(folder());
    EXPECT_FALSE(QFileInfo::exists(file("db.db")));
    EXPECT_TRUE(messagesIn("db.db").isEmpty());
}

TEST_F(DatabaseStartupTest, CompactionKeepsEveryRowAndShrinksTheFile) {
    {
        Database db(file("db.db"));
        for (int i = 0; i < 200; ++i)
            db.execute(SqlText("insert into send (uid,msg) values ('u',")
                           .value(QString(2000, QChar('a' + i % 26)))
                           .add(")"));
        db.execute(SqlText("delete from send where sid > 3"));
        db.execute(SqlText("insert into send (uid,msg) values ('u',")
                       .value(QString::fromUtf8("它's \"最后\""))
                       .add(")"));
    }
    const qint64 before = QFileInfo(file("db.db")).size();
    CampactAccessDB(file("db.db"));
    EXPECT_LT(QFileInfo(file("db.db")).size(), before);
    EXPECT_FALSE(QFileInfo::exists(file("tmpDB.mdb")));
    const QStringList rows = messagesIn("db.db");
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.last(), QString::fromUtf8("它's \"最后\""));
    // The autonumber goes on after the largest key ever given, as before the compaction.
    Database db(file("db.db"));
    EXPECT_EQ(db.insert(SqlText("insert into send (uid) values ('u')")), 202);
}

TEST_F(DatabaseStartupTest, AWorkFileLeftBesideAnIntactDatabaseIsRemovedAndCompactionRunsAgain) {
    makeDatabase("db.db", "live");
    {
        Database db(file("db.db"));
        db.execute(SqlText("insert into send (uid,msg) values ('u',").value(QString(50'000, 'x')).add(")"));
        db.execute(SqlText("delete from send where length(msg) > 1000"));
    }
    writeBytes("tmpDB.mdb", "left over by a crash");
    const qint64 before = QFileInfo(file("db.db")).size();
    prepareDatabaseFiles(folder());
    EXPECT_FALSE(QFileInfo::exists(file("tmpDB.mdb")));
    EXPECT_LT(QFileInfo(file("db.db")).size(), before);
    EXPECT_EQ(messagesIn("db.db"), QStringList{"live"});
}

TEST_F(DatabaseStartupTest, AWorkFileLeftBesideADamagedDatabaseStaysAndNothingIsCompacted) {
    makeDatabase("db.db", "live");
    QByteArray damaged = readBytes("db.db");
    // Overwrite the second page (the first table's) with garbage: the header still reads.
    ASSERT_GT(damaged.size(), 8192);
    for (int i = 4096; i < 8192; ++i)
        damaged[i] = char(i * 7);
    writeBytes("db.db", damaged);
    writeBytes("tmpDB.mdb", "maybe the better copy");
    prepareDatabaseFiles(folder());
    EXPECT_EQ(readBytes("db.db"), damaged);
    EXPECT_EQ(readBytes("tmpDB.mdb"), QByteArray("maybe the better copy"));
}

TEST_F(DatabaseStartupTest, UnreadableDatabaseIsLeftAsItWas) {
    writeBytes("db.db", "this is not a database at all, just some bytes");
    prepareDatabaseFiles(folder());
    EXPECT_EQ(readBytes("db.db"), QByteArray("this is not a database at all, just some bytes"));
    EXPECT_FALSE(QFileInfo::exists(file("tmpDB.mdb")));
}

TEST_F(DatabaseStartupTest, CompactionKeepsTheFilePrivate) {
    makeDatabase("db.db", "live");
    CampactAccessDB(file("db.db"));
    EXPECT_EQ(QFile::permissions(file("db.db")) & 0x0077, 0);
}

} // namespace
} // namespace parlumo
