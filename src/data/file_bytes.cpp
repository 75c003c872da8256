#include "data/file_bytes.h"

#include "text/error.h"

#include <QFile>

namespace parlumo {

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return bytes;
}

} // namespace parlumo
