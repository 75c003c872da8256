#pragma once

#include <QByteArray>
#include <QString>

namespace parlumo {

// Reads a file's bytes from its start, at most `limit` + 1 of them: a caller that refuses files
// over the limit learns that one is too large without loading it whole. Raises Error with the
// system's own reason when the file cannot be read (absent, a folder, no permission).
QByteArray readFileBytes(const QString& path, qint64 limit);

} // namespace parlumo
