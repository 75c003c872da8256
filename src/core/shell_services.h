#pragma once

#include <QString>

namespace parlumo {

class Shell;

// Deletes a folder and everything below it, skipping silently what cannot be deleted. A symbolic
// link is removed as a link and never followed, the top path included.
void DeleteFolderTree(const QString& path);

// Deletes "backup" and "updatedir" of the program folder and starts its "Update.exe" with the
// program folder as working folder, without waiting; a missing updater is ignored.
void LaunchUpdater(const QString& programFolder, Shell& shell);

} // namespace parlumo
