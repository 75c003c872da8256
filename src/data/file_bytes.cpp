#include "data/file_bytes.h"

#include "text/error.h"

#include <QFile>

namespace parlumo {

QByteArray readFileBytes(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    const QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return bytes;
}

} // namespace parlumo
