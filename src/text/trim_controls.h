#pragma once

#include <QString>

namespace parlumo {

// Removes leading and trailing characters with codes up to 32 (and other blanks).
QString trimControls(const QString& text);

} // namespace parlumo
