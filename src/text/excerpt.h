#pragma once

#include <QString>

namespace parlumo {

// How many characters of a text from the service a message shows.
inline constexpr qsizetype kExcerptChars = 200;

// A code or text from the service as a message shows it: a text of at most maxChars characters
// as it is, a longer one cut after that many characters and followed by "…". A character
// written with two UTF-16 units is never split.
QString excerpt(const QString& text, qsizetype maxChars = kExcerptChars);

} // namespace parlumo
