// The voice and fax progress pages' answers: records at "\", fields at "|".

#include "fuzz/fuzz_input.h"
#include "service/task_progress.h"
#include "text/gbk.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = fromGbk(fuzz::bytes(data, size));
    const ProgressReply read = readProgressReply(answer);
    fuzz::require(read.records.size() <= answer.count(QLatin1Char('\\')), "a record ends at \"\\\"");
    fuzz::require(read.end != ProgressReply::End::Ignored || read.records.isEmpty(), "an ignored answer stores nothing");
    return 0;
}
