#include "data/number_list.h"

#include "text/split_fields.h"
#include "text/trim_controls.h"

#include <algorithm>

namespace parlumo {

QStringList splitNumberList(QStringView text) {
    return SplitFields(text, QLatin1Char(','));
}

QString joinMemo(const QString& text, JoinRule rule) {
    QString joined = rule.trimFirst ? trimControls(text) : text;
    joined.replace(QLatin1Char('\n'), QLatin1Char(','));
    joined.remove(QLatin1Char(' '));
    joined.remove(QLatin1Char('\r'));
    if (rule.semicolonsAsCommas)
        joined.replace(QLatin1Char(';'), QLatin1Char(','));
    return joined;
}

QStringList memoLines(const QString& text) {
    if (text.isEmpty())
        return {};
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    return body.split(QLatin1Char('\n'));
}

QString memoText(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

int countNumbers(const QString& text, CountRule rule) {
    if (rule == CountRule::Lines)
        return static_cast<int>(memoLines(text).size());
    return static_cast<int>(countFields(text, QLatin1Char(','), QLatin1Char(' ')));
}

QStringList removeDuplicateLines(QStringList lines) {
    // Where no line has a letter with another case, comparing without regard to case orders
    // exactly as comparing the texts does, and lines that compare equal are equal texts: the
    // plain comparison is several times faster and needs no stable sort.
    const bool caseless = std::all_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return !c.isSurrogate() && c.toCaseFolded() == c; });
    });
    if (caseless) {
        std::sort(lines.begin(), lines.end());
    } else {
        std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    }
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

QString deleteLine(const QString& text, int lineIndex) {
    QStringList lines = memoLines(text);
    if (lineIndex >= 0 && lineIndex < lines.size())
        lines.removeAt(lineIndex);
    return memoText(lines);
}

bool entryAccepted(const QString& entry, EntryRule rule) {
    if (entry.size() < 10)
        return false;
    const QChar first = entry.front();
    return first == QLatin1Char('0') || (rule == EntryRule::MobileOrAreaCode && first == QLatin1Char('1'));
}

} // namespace parlumo
