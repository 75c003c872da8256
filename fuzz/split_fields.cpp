// SplitFields with both reply separators, the "^" blank placeholder, the record lists of replies,
// the number lists and the version file of the update check.

#include "core/update_check.h"
#include "data/number_list.h"
#include "fuzz/fuzz_input.h"
#include "service/replies.h"
#include "text/split_fields.h"

#include <algorithm>

using namespace parlumo;

namespace {

bool isBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// Without quotes a field never holds a blank, a control character or the delimiter.
void checkPlainFields(const QString& text, QChar delimiter) {
    const QStringList fields = SplitFields(text, delimiter);
    if (text.contains(QLatin1Char('"')))
        return;
    for (const QString& field : fields)
        for (QChar c : field)
            fuzz::require(!isBlank(c) && c != delimiter && c != QChar(0), "a plain field holds no separator");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::utf8(data, size);
    for (QChar delimiter : {QLatin1Char('|'), QLatin1Char('/')}) {
        checkPlainFields(text, delimiter);
        const QStringList record = splitRecord(text, delimiter);
        for (const QString& field : record)
            fuzz::require(!field.contains(QLatin1Char(' ')), "a record's fields keep \"^\" for blanks");
    }
    if (!text.contains(QLatin1Char('^')))
        fuzz::require(restoreSpaces(protectSpaces(text)) == text, "restoring the blanks undoes protecting them");
    // Records end at their delimiter, a control character or (not counted) a quoted text's end.
    const auto ends = std::count_if(text.cbegin(), text.cend(), [](QChar c) {
        return c == QLatin1Char('\\') || (c.unicode() >= 1 && c.unicode() < 32);
    });
    fuzz::require(text.contains(QLatin1Char('"')) || splitRecordList(text, QLatin1Char('\\')).size() <= ends + 1,
                  "records end at their delimiter");
    for (const QStringList& fields : splitRecordList(text, QStringLiteral("<br>")))
        for (const QString& field : fields)
            fuzz::require(!field.contains(QLatin1Char('^')), "the blanks come back in every field");
    isResultCode(text);
    splitNumberList(text);
    try {
        updateOffered(text, QStringLiteral("4.4.0.0"));
    } catch (const FieldError&) {
    }
    return 0;
}
