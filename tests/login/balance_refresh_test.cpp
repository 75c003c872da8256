// Reshmoney, the balance refresh of the send-SMS screen's " [ 刷新余额 ]".
#include "service/http.h"
#include "sms/compose_screen.h"
#include "tests/support/login_fixture.h"

#include <QLabel>
#include <QTest>
#include <optional>

namespace parlumo {
namespace {

const QString kFirstEndpoint = "http://first.example.net/Service.asmx";
const QString kSecondEndpoint = "http://second.example.net/Service.asmx";
const QString kRefused = "刷新余额失败，请退出，重新登录！";
const QString kNoFields = "无法连接服务器，余额未能刷新，请稍后重试！";

// The state after the login that every case starts from.
const QStringList kLoggedIn{
    "demo", "demo2026", "10", "0.1", "70", "0.2", "0.3", kFirstEndpoint, "0.4", "true"};

struct RefreshCase {
    const char* name;
    std::optional<std::string> reply; // none: the connection drops
    QString message;                  // empty: none
    QStringList state;
};

// A reply of every field, its last one long enough to make the reply `size` bytes.
std::string paddedReply(qint64 size) {
    std::string reply = "000|x|88.5|.07|99|.11|.12|" + kSecondEndpoint.toStdString() + "|.13|";
    reply.append(static_cast<size_t>(size) - reply.size(), 'f');
    return reply;
}

// The refresh takes the identifier from the login box, here " demo2 ".
const RefreshCase kRefreshCases[] = {
    {"every_field",
     "000|x|88.5|.07|99|.11|.12|" + kSecondEndpoint.toStdString() + "|.13|false",
     {},
     {"demo2", "demo2026", "88.5", "0.07", "70", "0.11", "0.12", kSecondEndpoint, "0.13", "true"}},
    {"refused", "-03", kRefused, kLoggedIn},
    {"short_success",
     "000",
     kNoFields,
     {"demo2", "demo2026", "10", "0.1", "70", "0.2", "0.3", kFirstEndpoint, "0.4", "true"}},
    {"balance_only",
     "000|x|7",
     kNoFields,
     {"demo2", "demo2026", "7", "0.1", "70", "0.2", "0.3", kFirstEndpoint, "0.4", "true"}},
    {"empty_reply", "", kNoFields, kLoggedIn},
    {"unreachable", std::nullopt, kNoFields, kLoggedIn},
    {"balance_not_an_amount",
     "000|x|4,5|.07|99|.11|.12|" + kSecondEndpoint.toStdString() + "|.13|false",
     kNoFields,
     {"demo2", "demo2026", "10", "0.1", "70", "0.2", "0.3", kFirstEndpoint, "0.4", "true"}},
    // The longest reply read; one byte more is a failed exchange.
    {"reply_at_the_limit",
     paddedReply(limits::kAccount.maxReplyBytes),
     {},
     {"demo2", "demo2026", "88.5", "0.07", "70", "0.11", "0.12", kSecondEndpoint, "0.13", "true"}},
    {"reply_over_the_limit", paddedReply(limits::kAccount.maxReplyBytes + 1), kNoFields, kLoggedIn},
};

class BalanceRefreshTest : public test::LoginTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(BalanceRefreshTest, AppliesTheFieldsItGets) {
    const RefreshCase& c = GetParam();
    sim.script(test::kLoginPath,
               test::body("000|x|10|.1|70|.2|.3|" + kFirstEndpoint.toStdString() + "|.4|true"));
    logInAsDemo();
    ASSERT_EQ(state(), kLoggedIn);
    sim.script(test::kLoginPath, c.reply ? test::body(*c.reply) : test::dropped());
    child<QLineEdit>(login(), "uid")->setText(" demo2 ");

    TForm3& sms = *screens().Form3;
    QTest::mouseClick(child<QLabel>(sms, "Label26"), Qt::LeftButton);

    const auto sent = requestsTo(test::kLoginPath);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].query, "uid=demo2&pwd=demo2026&proid=1");
    EXPECT_EQ(shown(), c.message.isEmpty() ? QStringList() : QStringList{test::informed("提示", c.message)});
    EXPECT_EQ(state(), c.state);
    const AccountFields account = services().account->get();
    EXPECT_EQ((QStringList{child<QLabel>(sms, "uid")->text(),
                           child<QLabel>(sms, "money")->text(),
                           child<QLabel>(sms, "dj")->text(),
                           child<QLabel>(sms, "fdj")->text(),
                           child<QLabel>(sms, "vdj")->text(),
                           child<QLabel>(sms, "cdj")->text()}),
              (QStringList{account.uid, account.money, account.dj, account.fdj, account.vdj, account.cdj}));
    EXPECT_EQ(child<QLineEdit>(login(), "service_url")->text(), account.service_url);
}

INSTANTIATE_TEST_SUITE_P(Replies,
                         BalanceRefreshTest,
                         ::testing::ValuesIn(kRefreshCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace parlumo
