// Text files read as GBK lines: writing the lines read and reading them again gives them back.

#include "data/text_files.h"
#include "fuzz/fuzz_input.h"

using namespace parlumo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::scratchFile(QStringLiteral("numbers.txt"), fuzz::bytes(data, size));
    const QStringList lines = readTextLines(path);
    for (const QString& line : lines)
        fuzz::require(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')), "a line holds no break");
    writeTextLines(path, lines);
    const QStringList again = readTextLines(path);
    // Undecodable bytes come back as U+FFFD, which GBK writes as "?".
    if (!lines.join(QString()).contains(QChar(0xFFFD)))
        fuzz::require(again == lines, "the lines written read back");
    return 0;
}
