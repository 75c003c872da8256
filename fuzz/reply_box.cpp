// The reply box's answers: records at "<br>", four fields at "|", the reply times, and the
// statement that stores each reply.

#include "fuzz/fuzz_input.h"
#include "sms/reply_box.h"
#include "text/gbk.h"

#include <algorithm>

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = fromGbk(fuzz::bytes(data, size));
    if (!holdsReplies(answer))
        return 0;
    const ReplyBoxAnswer read = readReplyBox(answer);
    // Records end at "<br>" and, as any field does, at a control character.
    const auto ends = answer.count(QStringLiteral("<br>")) + std::count_if(answer.cbegin(), answer.cend(), [](QChar c) {
                          return c.unicode() >= 1 && c.unicode() < 32;
                      });
    // A quoted text ends its record too, so the count holds for answers without quotes.
    fuzz::require(answer.contains(QLatin1Char('"')) || read.replies.size() <= ends + 1, "one reply per record at most");
    for (const ReceivedReply& reply : read.replies) {
        const QString time = normalisedReplyTime(reply.time);
        fuzz::require(time == reply.time || time.size() == 19, "a read time is \"yyyy-MM-dd HH:mm:ss\"");
        storeReplyStatement(QStringLiteral("demo"), reply);
    }
    return 0;
}
