#include "text/trim_controls.h"

namespace parlumo {

QString trimControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin].unicode() <= 32 || text[begin].isSpace()))
        ++begin;
    while (end > begin && (text[end - 1].unicode() <= 32 || text[end - 1].isSpace()))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace parlumo
