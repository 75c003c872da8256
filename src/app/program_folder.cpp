#include "app/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace parlumo {

QString resolveProgramFolder() {
    QString folder = qEnvironmentVariable("PARLUMO_HOME");
    if (folder.isEmpty()) {
        const QFileInfo executableFolder(QCoreApplication::applicationDirPath());
        folder = executableFolder.isWritable()
                     ? executableFolder.absoluteFilePath()
                     : QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

} // namespace parlumo
