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

namespace {

// The memo's text with every line break a line feed and no final one.
QString linesBody(const QString& text) {
    QString body = text;
    if (body.contains(QLatin1Char('\r')))
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    return body;
}

// Whether comparing without regard to case orders exactly as comparing the texts does: no
// character has another case (surrogates are taken as having one).
bool caseless(QStringView text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        if (c.unicode() < 0x80)
            return c.unicode() < u'A' || c.unicode() > u'Z';
        return !c.isSurrogate() && c.toCaseFolded() == c;
    });
}

} // namespace

QStringList memoLines(const QString& text) {
    if (text.isEmpty())
        return {};
    return linesBody(text).split(QLatin1Char('\n'));
}

QString memoText(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

int countNumbers(const QString& text, CountRule rule) {
    if (rule == CountRule::Lines)
        return static_cast<int>(memoLines(text).size());
    return static_cast<int>(countFields(text, QLatin1Char(','), QLatin1Char(' ')));
}

QString removeDuplicateLines(const QString& text) {
    if (text.isEmpty())
        return {};
    const QString body = linesBody(text);
    // The lines are views into the one text: sorting moves no characters.
    QList<QStringView> lines = QStringView(body).split(QLatin1Char('\n'));
    if (caseless(body)) {
        // Lines that compare equal are equal texts here, so the order among them does not show.
        // UTF-16 units in order, as QString compares, inlined.
        std::sort(lines.begin(), lines.end(), [](QStringView a, QStringView b) {
            return std::lexicographical_compare(
                a.utf16(), a.utf16() + a.size(), b.utf16(), b.utf16() + b.size());
        });
    } else {
        std::stable_sort(lines.begin(), lines.end(), [](QStringView a, QStringView b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    }
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    QString kept;
    kept.reserve(body.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            kept += QLatin1Char('\n');
        kept += lines[i];
    }
    return kept;
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
