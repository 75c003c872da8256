#include "fax/fax_send_rules.h"

#include "data/database.h"
#include "tests/support/program_fixture.h"

#include <QSqlQuery>

namespace parlumo {
namespace {

TEST(FaxSendRules, TheCostIsOneUnitPricePerLineInExactDecimals) {
    const struct {
        int lines;
        const char* price;
        const char* cost;
    } cases[] = {{3, "0.3", "0.9"},
                 {1, "0.3", "0.3"},
                 {0, "0.3", "0"},
                 {7, "0.15", "1.05"},
                 {10, "0.1", "1"},
                 {3, "", ""},
                 {3, "0,3", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(faxCost(c.lines, QString::fromLatin1(c.price)), QString::fromLatin1(c.cost))
            << c.lines << " x " << c.price;
}

TEST(FaxSendRules, TheChecksStopAtTheFirstFailureInOrder) {
    const QString empty = QStringLiteral("接收传真号码为空。");
    const QString balance =
        QStringLiteral("您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。再重新发送。");
    const QString noFile = QStringLiteral("请先选择文件。支持Word、excel、PDF、图片、PPT");
    const struct {
        FaxSendInputs inputs;
        QString message; // empty: the send goes ahead
        QString focus;
    } cases[] = {
        {{"", 0, "0.9", "0.1", ""}, empty, "faxno"},
        {{"", 0, "0", "1", "/tmp/a.pdf"}, empty, "faxno"},
        {{"\n", 1, "0.3", "0.1", ""}, balance, ""},
        {{"0101234567", 1, "0.9", "0.89", ""}, balance, ""},
        {{"0101234567", 1, "0.9", "0.9", ""}, noFile, "select_faxfile"},
        {{"0101234567", 1, "0.9", "0.91", "/tmp/a.pdf"}, QString(), QString()},
        {{"0101234567", 1, "0.9", "0.9", "/tmp/a.pdf"}, QString(), QString()},
        {{"0101234567", 1, "", "100", "/tmp/a.pdf"}, balance, ""},
        {{"0101234567", 1, "0.3", "abc", "/tmp/a.pdf"}, balance, ""},
    };
    for (const auto& c : cases) {
        const std::optional<FaxSendRefusal> refusal = checkFaxSend(c.inputs);
        if (c.message.isEmpty()) {
            EXPECT_FALSE(refusal) << c.inputs.cost.toStdString() << " / " << c.inputs.balance.toStdString();
            continue;
        }
        ASSERT_TRUE(refusal) << c.message.toStdString();
        EXPECT_EQ(refusal->message, c.message)
            << c.inputs.cost.toStdString() << " / " << c.inputs.balance.toStdString();
        EXPECT_EQ(refusal->focus, c.focus);
    }
}

TEST(FaxSendRules, TheNumberStringJoinsLinesAndKeepsExtensionsBesideTheirNumbers) {
    const struct {
        const char* memo;
        const char* joined;
    } cases[] = {{"0101234567,123\n02098765432", "0101234567,123,02098765432"},
                 {" \r\n0101234567\r\n0209876543 \r\n", "0101234567,0209876543"},
                 {"0101234567\n\n0209876543", "0101234567,,0209876543"},
                 {"010 1234 567", "0101234567"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(faxNumberString(QString::fromLatin1(c.memo)), QString::fromLatin1(c.joined)) << c.memo;
}

TEST(FaxSendRules, OnlyTheKnownResultCodesHaveMessages) {
    const struct {
        const char* reply;
        const char* message; // null: none
    } cases[] = {{"-01", "余额不足以本次操作,请重新登录再试"},
                 {"-02", "很抱歉！您尚未开通传真服务，如需开通请与我们联系！祝您工作愉快！"},
                 {"-03", "发送失败!密码验证失败，请重新登录 -03"},
                 {"-09", "系统维护中..请稍侯再试！ -9"},
                 {"-04", nullptr},
                 {"000", nullptr},
                 {"", nullptr},
                 {" -01", nullptr}};
    for (const auto& c : cases) {
        const std::optional<QString> message = faxResultMessage(QString::fromLatin1(c.reply));
        if (c.message)
            EXPECT_EQ(message, QString::fromUtf8(c.message)) << c.reply;
        else
            EXPECT_FALSE(message) << c.reply;
    }
}

TEST(FaxSendRules, TheProposedListNameHoldsTheMomentWithoutColons) {
    const QString name = faxNumbersFileName(QDateTime(QDate(2026, 12, 11), QTime(9, 5, 7)));
    EXPECT_EQ(name, QStringLiteral("待发传真号码2026-12-11 090507.TXT"));
    EXPECT_FALSE(name.contains(QLatin1Char(':')));
}

class FaxRecordTest : public test::ProgramFolderTest {};

TEST_F(FaxRecordTest, TheRecordStoresTrimmedValuesIntactAndTheFirstFiftyCharactersOfTheNumbers) {
    Database database(file(QStringLiteral("db.db")));
    const QString numbers = QStringLiteral("01012345678,") + QString(48, QLatin1Char('9'));
    ASSERT_EQ(numbers.size(), 60);
    database.execute(faxRecordInsert({QStringLiteral(" demo "),
                                      QStringLiteral(" F2026 \r\n"),
                                      QStringLiteral(" 3"),
                                      numbers,
                                      QStringLiteral(" O'Brien "),
                                      QStringLiteral("Q'4 报价"),
                                      QStringLiteral("offer's.pdf ")}));
    QSqlQuery row = database.execute(SqlText(QStringLiteral(
        "select uid,snum,fcount,tmoney,faxno,linkman,subject,faxfile,tag,intime from Faxlist")));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("demo"));
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("F2026"));
    EXPECT_EQ(row.value(2).toInt(), 3);
    EXPECT_EQ(row.value(3).toString(), QStringLiteral("0"));
    EXPECT_EQ(row.value(4).toString(), numbers.left(50));
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("O'Brien"));
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("Q'4 报价"));
    EXPECT_EQ(row.value(7).toString(), QStringLiteral("offer's.pdf"));
    EXPECT_EQ(row.value(8).toString(), QStringLiteral("成功"));
    EXPECT_FALSE(row.value(9).toString().isEmpty());
    EXPECT_FALSE(row.next());
}

} // namespace
} // namespace parlumo
