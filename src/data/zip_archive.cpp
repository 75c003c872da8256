#include "data/zip_archive.h"

#include "text/error.h"

#include <QFile>
#include <minizip/unzip.h>

namespace parlumo {

ZipArchive::ZipArchive(const QString& path) : handle_(unzOpen64(QFile::encodeName(path).constData())) {}

ZipArchive::~ZipArchive() {
    if (handle_)
        unzClose(handle_);
}

QByteArray ZipArchive::entry(const QString& name) const {
    if (!handle_ || unzLocateFile(handle_, name.toUtf8().constData(), 2) != UNZ_OK)
        return QByteArray();
    if (unzOpenCurrentFile(handle_) != UNZ_OK)
        throw Error(QStringLiteral("cannot read %1").arg(name));
    QByteArray bytes;
    char buffer[65536];
    int read = 0;
    while ((read = unzReadCurrentFile(handle_, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, read);
    const int closed = unzCloseCurrentFile(handle_);
    if (read < 0 || closed != UNZ_OK)
        throw Error(QStringLiteral("cannot read %1").arg(name));
    return bytes;
}

} // namespace parlumo
