#pragma once

#include <QByteArray>
#include <QString>

namespace parlumo {

// The whole content of a file. Raises Error with the system's own reason when the file cannot
// be read.
QByteArray readFileBytes(const QString& path);

} // namespace parlumo
