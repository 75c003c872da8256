#include "sms/sent_log_queries.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"

#include <QSqlQuery>

namespace parlumo {
namespace {

TEST(StatusWord, TurnsTheNodeCodesIntoTheirWords) {
    EXPECT_EQ(statusWord(sent_status::kAccepted), QStringLiteral("成功"));
    EXPECT_EQ(statusWord(sent_status::kFailed), QStringLiteral("失败"));
    EXPECT_EQ(statusWord(sent_status::kDraft), QStringLiteral("草稿"));
}

TEST(NumbersOfBatch, EveryCommaEndsANumber) {
    EXPECT_EQ(numbersOfBatch("13800000001,13800000002"), (QStringList{"13800000001", "13800000002"}));
    EXPECT_EQ(numbersOfBatch("13800000001"), QStringList{"13800000001"});
    EXPECT_EQ(numbersOfBatch("1,,2"), (QStringList{"1", "", "2"}));
    EXPECT_TRUE(numbersOfBatch(QString()).isEmpty());
}

class NewestSentTest : public test::ProgramFolderTest {};

// The first list holds at most the newest 10000 batches of the account.
TEST_F(NewestSentTest, ListsAtMostTheNewestTenThousandBatches) {
    Database database(file(QStringLiteral("db.db")));
    const struct {
        int stored;
        int listed;
    } cases[] = {{9999, 9999}, {10000, 10000}, {10001, 10000}};
    int stored = 0;
    for (const auto& c : cases) {
        QSqlDatabase db = database.connection();
        db.transaction();
        for (; stored < c.stored; ++stored)
            database.execute(
                SqlText(QStringLiteral("insert into send(uid,mobno,num,msg,tag) values('demo','1',1,"))
                    .value(QString::number(stored))
                    .add(QStringLiteral(",'成功')")));
        database.execute(SqlText(
            QStringLiteral("insert into send(uid,mobno,num,msg,tag) values('other','1',1,'m','成功')")));
        db.commit();
        QSqlQuery rows = database.execute(newestSentStatement(QStringLiteral(" demo ")));
        int listed = 0;
        QString first, last;
        while (rows.next()) {
            last = rows.value(QStringLiteral("msg")).toString();
            if (listed++ == 0)
                first = last;
        }
        EXPECT_EQ(listed, c.listed) << c.stored;
        EXPECT_EQ(first, QString::number(c.stored - 1)) << c.stored;
        EXPECT_EQ(last, QString::number(c.stored - c.listed)) << c.stored;
    }
}

} // namespace
} // namespace parlumo
