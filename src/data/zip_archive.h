#pragma once

#include <QByteArray>
#include <QString>

namespace parlumo {

// Reads entries of a zip archive (an .xlsx package). It uses the same minizip library as the
// spreadsheet writer: a second copy of minizip's symbols in the process would clash with it.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    // The entry's bytes, or an empty array when the archive has no such entry. Raises Error
    // when the entry exists but cannot be read.
    QByteArray entry(const QString& name) const;

private:
    void* handle_ = nullptr;
};

} // namespace parlumo
