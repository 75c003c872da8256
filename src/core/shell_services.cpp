#include "core/shell_services.h"

#include "core/program_file.h"
#include "toolkit/shell.h"

#include <QFile>
#include <filesystem>

namespace parlumo {

namespace fs = std::filesystem;

namespace {

void deleteTree(const fs::path& folder) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(folder, ec);
    if (ec || !fs::exists(status))
        return;
    if (fs::is_directory(status)) {
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code entryError;
            if (it->is_symlink(entryError) || !it->is_directory(entryError))
                fs::remove(it->path(), entryError);
            else
                deleteTree(it->path());
        }
    }
    fs::remove(folder, ec);
}

} // namespace

void DeleteFolderTree(const QString& path) {
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    deleteTree(fs::path(QFile::encodeName(folder).toStdString()));
}

void LaunchUpdater(const QString& programFolder, Shell& shell) {
    DeleteFolderTree(programFile(programFolder, QStringLiteral("backup")));
    DeleteFolderTree(programFile(programFolder, QStringLiteral("updatedir")));
    shell.openProgram(programFile(programFolder, QStringLiteral("Update.exe")), QString(), programFolder);
}

} // namespace parlumo
