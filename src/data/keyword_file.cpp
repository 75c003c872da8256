#include "data/keyword_file.h"

#include "data/text_files.h"
#include "text/error.h"
#include "text/forbidden_words.h"

namespace parlumo {

QStringList readForbiddenWords(const QString& path) {
    try {
        return forbiddenWordList(readTextLines(path));
    } catch (const Error&) {
        return {};
    }
}

} // namespace parlumo
