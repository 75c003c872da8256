#include "text/excerpt.h"

namespace parlumo {

QString excerpt(const QString& text, qsizetype maxChars) {
    qsizetype end = 0;
    for (qsizetype characters = 0; end < text.size() && characters < maxChars; ++characters) {
        const bool pair =
            text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    if (end == text.size())
        return text;
    return text.left(end) + QStringLiteral("…");
}

} // namespace parlumo
