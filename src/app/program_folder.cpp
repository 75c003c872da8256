#include "app/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace parlumo {

QString sharedFilesFolder() {
    const QFileInfo shared(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(PARLUMO_SHARED_FROM_BIN)));
    return shared.isDir() ? shared.canonicalFilePath() : QString();
}

QString resolveProgramFolder(const QString& home) {
    QString folder = home.isEmpty() ? qEnvironmentVariable("PARLUMO_HOME") : home;
    if (folder.isEmpty()) {
        const QFileInfo executableFolder(QCoreApplication::applicationDirPath());
        folder = sharedFilesFolder().isEmpty() && executableFolder.isWritable()
                     ? executableFolder.absoluteFilePath()
                     : QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

QStringList seedProgramFolder(const QString& shared, const QString& folder) {
    QStringList failed;
    const QDir from(shared);
    const QDir to(folder);
    QDirIterator files(shared, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = from.relativeFilePath(files.next());
        const QString target = to.filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(files.filePath(), target))
            failed << target;
    }
    return failed;
}

} // namespace parlumo
