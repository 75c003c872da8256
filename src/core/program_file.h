#pragma once

#include <QDir>
#include <QString>

namespace parlumo {

// A fixed file name ("ovarn.ini", "db.db", …) inside the program folder.
inline QString programFile(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

} // namespace parlumo
