#include "data/text_files.h"

#include "data/file_bytes.h"
#include "data/number_list.h"
#include "text/error.h"
#include "text/gbk.h"

#include <QSaveFile>

namespace parlumo {

QStringList readTextLines(const QString& path) {
    return memoLines(fromGbk(readFileBytes(path)));
}

void writeTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toGbk(line) + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(file.errorString());
}

} // namespace parlumo
