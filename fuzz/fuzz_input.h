#pragma once

// What every fuzz target shares: the input as bytes or text, a scratch folder for targets that
// read files, and the check that turns a broken property into a crash libFuzzer reports.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace parlumo::fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline QString utf8(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// One folder for the whole run; each call replaces the file of that name.
inline QString scratchFile(const QString& name, const QByteArray& contents) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size(),
            "the scratch file is written");
    return path;
}

} // namespace parlumo::fuzz
