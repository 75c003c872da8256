#include "voice/direct_call_rules.h"

#include "service/query.h"
#include "text/decimal.h"
#include "text/excerpt.h"
#include "text/trim_controls.h"

namespace parlumo {

namespace {

constexpr int kShortestCallNumber = 10;
constexpr int kShortestTaskNumber = 4;
constexpr int kCountdownTicks = 11;
constexpr long long kCallMinimumBalance = 10;

} // namespace

QString superphoneUrl(const QString& host,
                      const QString& uid,
                      const QString& pwd,
                      const QString& fromTel,
                      const QString& toTel) {
    return QueryUrl(host, QStringLiteral("/voice_service/superphone.asp"))
        .add(QStringLiteral("id"), trimControls(uid))
        .add(QStringLiteral("pwd"), trimControls(pwd))
        .add(QStringLiteral("from_no"), trimControls(fromTel))
        .add(QStringLiteral("to_no"), trimControls(toTel))
        .text();
}

bool callNumbersTooShort(const QString& fromTel, const QString& toTel) {
    return trimControls(fromTel).size() < kShortestCallNumber || trimControls(toTel).size() < kShortestCallNumber;
}

bool balanceTooLowForCalls(const QString& balance) {
    const std::optional<Decimal> money = Decimal::parse(balance);
    return !money || *money < Decimal::fromInteger(kCallMinimumBalance);
}

bool isCallNumber(const QString& reply) {
    if (reply.size() < kShortestTaskNumber)
        return false;
    for (const QChar c : reply)
        if (c.unicode() > 0x7F || !c.isLetterOrNumber())
            return false;
    return true;
}

QString callFailedMessage(const QString& reply) {
    return QStringLiteral("呼叫失败！错误码：") + excerpt(reply);
}

CountdownTick countdownTick(int onno) {
    if (onno >= kCountdownTicks)
        return {};
    const int next = onno + 1;
    return {next, kCallingText + QString::number(kCountdownTicks - next)};
}

} // namespace parlumo
