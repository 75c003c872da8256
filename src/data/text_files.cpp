#include "data/text_files.h"

#include "data/number_list.h"
#include "text/error.h"
#include "text/gbk.h"

#include <QFile>
#include <QSaveFile>

namespace parlumo {

QStringList readTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return memoLines(fromGbk(bytes));
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
