#include "login/login_reply.h"

#include "core/account_state.h"
#include "data/conditions.h"
#include "service/replies.h"
#include "text/decimal.h"
#include "text/excerpt.h"
#include "text/split_fields.h"

namespace parlumo {

namespace {

QString charsPerSms(const QStringList& fields) {
    const QString field = fieldAt(fields, 4);
    return field.isEmpty() ? QStringLiteral("60") : field;
}

FieldError notAnAmount(const QString& field) {
    return FieldError(QStringLiteral("not an amount: %1").arg(excerpt(field)));
}

// A balance or price is a decimal number of at most kMaxMoneyChars characters; anything else
// makes the reply malformed, like a missing field.
const QString& moneyAt(const QStringList& fields, qsizetype index) {
    const QString& field = fieldAt(fields, index);
    if (field.size() > kMaxMoneyChars || !Decimal::parse(field))
        throw notAnAmount(field);
    return field;
}

// A price comes without its leading zero (".1") and without a sign.
QString priceAt(const QStringList& fields, qsizetype index) {
    const QString& field = moneyAt(fields, index);
    if (field.startsWith(QLatin1Char('-')) || field.startsWith(QLatin1Char('+')))
        throw notAnAmount(field);
    return QLatin1Char('0') + field;
}

} // namespace

QueryUrl httpLoginUrl(const QString& host, const QString& uid, const QString& pwd) {
    return QueryUrl(host, QStringLiteral("/webservice/public/softlogin.asp"))
        .add(QStringLiteral("uid"), uid)
        .add(QStringLiteral("pwd"), pwd)
        .add(QStringLiteral("proid"), QStringLiteral("1"));
}

QString readHttpLogin(const QString& reply, AccountState& account, const QString& uid, const QString& pwd) {
    const QStringList fields = splitRecord(reply, QLatin1Char('|'));
    const QString code = fieldAt(fields, 0);
    if (code != codes::kSuccess)
        return httpLoginRefusal(code);
    applyHttpLogin(fields, account, uid, pwd);
    return QString();
}

QString httpConnectionMessage() {
    return QStringLiteral("请检查您的电脑是否正常连上Internet，请稍侯重试!\r\n  或者dns改为8.8.8.8 再试。");
}

QString httpLoginRefusal(const QString& code) {
    if (code == codes::kBadParameters)
        return QStringLiteral("用户名和密码不能为空！");
    if (code == codes::kWrongPassword || code == codes::kNoUser)
        return QStringLiteral("账号或密码错误！");
    if (code == codes::kMaintenance)
        return QStringLiteral("系统维护中请稍侯登录！");
    return QStringLiteral("登录失败：请联系软件厂商。错误码：") + excerpt(code);
}

QString soapLoginRefusal(const QString& code) {
    if (code == codes::kBadParameters)
        return QStringLiteral("用户名和密码不能为空！");
    if (code == codes::kWrongPassword)
        return QStringLiteral("账号或密码错误！");
    if (code == codes::kMaintenance)
        return QStringLiteral("系统维护中请稍侯登录！");
    return QString();
}

void applyHttpLogin(const QStringList& fields,
                    AccountState& account,
                    const QString& uid,
                    const QString& pwd) {
    const QString maxChars = charsPerSms(fields);
    account.change([&](AccountFields& a) { a.money = moneyAt(fields, 2); });
    account.change([&](AccountFields& a) { a.dj = priceAt(fields, 3); });
    account.change([&](AccountFields& a) { a.MaxSmsChars = maxChars; });
    account.change([&](AccountFields& a) { a.vdj = priceAt(fields, 5); });
    account.change([&](AccountFields& a) { a.fdj = priceAt(fields, 6); });
    account.change([&](AccountFields& a) { a.service_url = fieldAt(fields, 7); });
    account.change([&](AccountFields& a) { a.cdj = priceAt(fields, 8); });
    account.change(
        [&](AccountFields& a) { a.CanSchedule = fieldAt(fields, 9).trimmed() == QLatin1String("true"); });
    account.change([&](AccountFields& a) {
        a.uid = uid;
        a.pwd = pwd;
    });
}

void applySoapLogin(const QStringList& fields,
                    AccountState& account,
                    const QString& uid,
                    const QString& pwd) {
    // Read whole before anything changes: a malformed reply leaves the account as it was.
    const QString maxChars = charsPerSms(fields);
    const QString money = moneyAt(fields, 2);
    const QString dj = moneyAt(fields, 3);
    account.change([&](AccountFields& a) {
        a.uid = uid;
        a.pwd = pwd;
        a.money = money;
        a.dj = dj;
        a.MaxSmsChars = maxChars;
    });
}

void applyBalanceRefresh(const QStringList& fields, AccountState& account, const QString& uid) {
    account.change([&](AccountFields& a) { a.uid = uid; });
    account.change([&](AccountFields& a) { a.money = moneyAt(fields, 2); });
    account.change([&](AccountFields& a) { a.dj = priceAt(fields, 3); });
    account.change([&](AccountFields& a) { a.vdj = priceAt(fields, 5); });
    account.change([&](AccountFields& a) { a.fdj = priceAt(fields, 6); });
    account.change([&](AccountFields& a) { a.service_url = fieldAt(fields, 7); });
    account.change([&](AccountFields& a) { a.cdj = priceAt(fields, 8); });
}

void applyGuestLogin(AccountState& account, bool httpWay) {
    account.change([httpWay](AccountFields& a) {
        a.uid = kGuestAccount;
        a.money = QStringLiteral("0");
        a.dj = QStringLiteral("0.1");
        if (httpWay)
            a.cdj = QStringLiteral("0.3");
    });
}

QString restoredLastText(const QString& lasttxt) {
    QString text = lasttxt.trimmed();
    text.remove(QLatin1Char('\n'));
    text.replace(QLatin1Char('\r'), QLatin1Char(','));
    return text;
}

} // namespace parlumo
