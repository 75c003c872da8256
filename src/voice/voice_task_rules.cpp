#include "voice/voice_task_rules.h"

#include "data/number_list.h"
#include "service/replies.h"
#include "text/decimal.h"
#include "text/excerpt.h"
#include "text/gbk.h"
#include "text/trim_controls.h"

namespace parlumo {

namespace {

constexpr qsizetype kMinimumSpokenBytes = 5;

} // namespace

QString voiceNumberString(const QString& memoText) {
    return trimControls(joinMemo(memoText, kVoiceSenderJoin));
}

bool spokenTextTooShort(const QString& text) {
    return toGbk(text).size() < kMinimumSpokenBytes;
}

std::optional<VoiceMessage> voiceRefusal(const QString& reply) {
    const QString code = QStringLiteral("错误码：") + excerpt(reply);
    if (reply == codes::kWrongPassword)
        return VoiceMessage{QStringLiteral("发送提示"),
                            QStringLiteral("任务发送失败！账号或密码错误！请重新登录！") + code};
    if (reply == codes::kLowBalance)
        return VoiceMessage{QStringLiteral("登录提示"),
                            QStringLiteral("任务发送失败！您的余额不足以支持本次操作！") + code};
    if (reply == codes::kMaintenance)
        return VoiceMessage{QStringLiteral("登录提示"), QStringLiteral("任务发送失败！系统维护中.请销侯再试。") + code};
    if (isResultCode(reply))
        return VoiceMessage{QStringLiteral("登录提示"), QStringLiteral("任务发送失败！") + code};
    return std::nullopt;
}

QString balanceAfter(const QString& balance, const QString& price, long long count) {
    const std::optional<Decimal> money = Decimal::parse(balance);
    const std::optional<Decimal> each = Decimal::parse(price);
    if (!money || !each)
        return balance;
    return (*money - *each * count).toString();
}

} // namespace parlumo
