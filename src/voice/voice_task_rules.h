#pragma once

#include <QString>
#include <optional>

namespace parlumo {

// The numbers of the memo as the service takes them: line feeds become ",", blanks and carriage
// returns go, then the ends are trimmed. The text is not trimmed first, so a final line break
// leaves a final comma.
QString voiceNumberString(const QString& memoText);

// A text to be synthesised needs at least 5 bytes in GBK (a Chinese character counts 2).
bool spokenTextTooShort(const QString& text);

// A message box of the send.
struct VoiceMessage {
    QString caption;
    QString text;
};

// What the user is told when the service refused the task; nothing when the reply is the task
// number of an accepted task. Codes are compared as received.
std::optional<VoiceMessage> voiceRefusal(const QString& reply);

// The balance after an accepted send of `count` numbers at `price` each, in the shortest decimal
// text; the balance unchanged when either amount cannot be read.
QString balanceAfter(const QString& balance, const QString& price, long long count);

} // namespace parlumo
