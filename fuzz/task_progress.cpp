// The voice and fax progress pages' answers: records at "\", fields at "|".

#include "fuzz/fuzz_input.h"
#include "service/task_progress.h"
#include "text/gbk.h"

#include <algorithm>

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = fromGbk(fuzz::bytes(data, size));
    const ProgressReply read = readProgressReply(answer);
    // Records end at "\" and, as any field does, at a control character.
    const auto ends = std::count_if(answer.cbegin(), answer.cend(), [](QChar c) {
        return c == QLatin1Char('\\') || (c.unicode() >= 1 && c.unicode() < 32);
    });
    // A quoted text ends its element too, so the count holds for answers without quotes.
    fuzz::require(answer.contains(QLatin1Char('"')) || read.records.size() <= ends,
                  "the element after the last end is no record");
    fuzz::require(read.end != ProgressReply::End::Ignored || read.records.isEmpty(), "an ignored answer stores nothing");
    return 0;
}
