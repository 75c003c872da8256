// The balance and prices that a login reply or a balance refresh brings must be amounts.
#include "core/account_state.h"
#include "login/login_reply.h"
#include "text/split_fields.h"

#include <functional>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

struct MoneyCase {
    const char* name;
    QString field;
    bool asBalance; // accepted in the balance's place
    bool asPrice;   // accepted in a price's place
};

QString zerosThenHalf(qsizetype length) {
    return QString(length - 2, QLatin1Char('0')) + QStringLiteral(".5");
}

const qsizetype kFourMegabytes = 4 * 1024 * 1024;

const MoneyCase kMoneyCases[] = {
    {"decimal", "12.5", true, true},
    {"without_whole_part", ".08", true, true},
    {"whole", "7", true, true},
    {"negative", "-3.5", true, false},
    {"one_below_the_longest", zerosThenHalf(kMaxMoneyChars - 1), true, true},
    {"longest", zerosThenHalf(kMaxMoneyChars), true, true},
    {"one_above_the_longest", zerosThenHalf(kMaxMoneyChars + 1), false, false},
    {"exponent", "1e3", false, false},
    {"letters", "abc", false, false},
    {"empty", "", false, false},
    {"blank_placeholder", "12^5", false, false},
    {"four_megabytes_of_digits", QString(kFourMegabytes, QLatin1Char('9')), false, false},
    {"four_megabytes_of_zeros", QString(kFourMegabytes, QLatin1Char('0')), false, false},
};

// One way a reply reaches the account, and the place of the money field under test.
struct Way {
    const char* name;
    QStringList fields;
    qsizetype position;
    bool isPrice;
    std::function<void(const QStringList&, AccountState&)> apply;
    QString AccountFields::*target;
};

const QStringList kHttpFields{"000", "x", "5", ".1", "70", ".15", ".2", "E", ".25", "true"};
const QStringList kSoapFields{"000", "x", "5", ".09", "60"};

void httpLogin(const QStringList& fields, AccountState& account) {
    applyHttpLogin(fields, account, "demo", "pw");
}
void soapLogin(const QStringList& fields, AccountState& account) {
    applySoapLogin(fields, account, "demo", "pw");
}
void refresh(const QStringList& fields, AccountState& account) {
    applyBalanceRefresh(fields, account, "demo");
}

const Way kWays[] = {
    {"http login balance", kHttpFields, 2, false, httpLogin, &AccountFields::money},
    {"http login MMS price", kHttpFields, 8, true, httpLogin, &AccountFields::cdj},
    {"soap login balance", kSoapFields, 2, false, soapLogin, &AccountFields::money},
    // The SOAP login takes the SMS price as sent, so a signed one passes like a balance.
    {"soap login SMS price", kSoapFields, 3, false, soapLogin, &AccountFields::dj},
    {"refresh balance", kHttpFields, 2, false, refresh, &AccountFields::money},
    {"refresh voice price", kHttpFields, 5, true, refresh, &AccountFields::vdj},
};

class MoneyFieldTest : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyFieldTest, IsTakenWhenItIsAnAmountAndMakesTheReplyMalformedOtherwise) {
    const MoneyCase& c = GetParam();
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        QStringList fields = way.fields;
        fields[way.position] = c.field;
        AccountState account(QStringLiteral("http://default/Service.asmx"));
        const AccountFields before = account.get();
        const bool accepted = way.isPrice ? c.asPrice : c.asBalance;
        if (!accepted) {
            EXPECT_THROW(way.apply(fields, account), FieldError);
            EXPECT_EQ(account.get().*way.target, before.*way.target);
            continue;
        }
        way.apply(fields, account);
        EXPECT_EQ(account.get().*way.target, way.isPrice ? "0" + c.field : c.field);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, MoneyFieldTest, ::testing::ValuesIn(kMoneyCases), [](const auto& info) {
    return std::string(info.param.name);
});

} // namespace
} // namespace parlumo
