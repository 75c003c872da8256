#pragma once

#include <QString>
#include <optional>

namespace parlumo {

// The call-back request on the service host: the account, then the caller's and the other
// party's numbers, each trimmed.
QString superphoneUrl(const QString& host,
                      const QString& uid,
                      const QString& pwd,
                      const QString& fromTel,
                      const QString& toTel);

// Both numbers need at least 10 characters, blanks at the ends not counted.
bool callNumbersTooShort(const QString& fromTel, const QString& toTel);

// Calls need a balance of at least 10 yuan; a balance that cannot be read is too low.
bool balanceTooLowForCalls(const QString& balance);

// Whether the service's reply names an accepted call: a task number of at least 4 letters and
// digits. Anything else (an error code, an empty reply after a failure, a page that is no answer
// of the service, such as a proxy's error page) is a failed call.
bool isCallNumber(const QString& reply);

// The message of a failed call: the reply as its code, a long one cut.
QString callFailedMessage(const QString& reply);

inline const QString kCallingText = QStringLiteral("正在呼叫，请稍侯..");

// One second of the count-down while the service sets the call up: the counter counts to 11,
// the label showing the seconds left; at 11 it ends (counter back to 0, label hidden).
struct CountdownTick {
    int onno = 0;
    // The label's new text while the count-down runs; nothing when it has ended.
    std::optional<QString> label;
};
CountdownTick countdownTick(int onno);

} // namespace parlumo
