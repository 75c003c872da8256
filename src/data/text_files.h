#pragma once

#include <QString>
#include <QStringList>

namespace parlumo {

// Reads a text file's lines as GBK; a carriage return, a line feed or the pair ends a line.
// Raises Error with the system's own reason when the file cannot be read.
QStringList readTextLines(const QString& path);

// Writes the lines as GBK, each ended by CR LF, through a temporary file renamed over the target.
void writeTextLines(const QString& path, const QStringList& lines);

} // namespace parlumo
