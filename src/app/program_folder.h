#pragma once

#include <QString>

namespace parlumo {

// The folder that holds every fixed file of the program, created when missing:
// - `home` when given (the command line's --home), else $PARLUMO_HOME when set;
// - for an installed program (its shared files beside it, see sharedFilesFolder), the per-user
//   data folder, so that nothing is ever written beside a system's executables;
// - else the executable's folder when it is writable (a program unpacked into a folder of its own);
// - else the per-user data folder.
QString resolveProgramFolder(const QString& home = QString());

// Where an installation keeps the files every program folder starts with (<prefix>/share/parlumo
// beside <prefix>/bin); empty when the program is not installed.
QString sharedFilesFolder();

// Copies into `folder` every file and folder of `shared` that it lacks, leaving what is there
// (a word list or a sample the user changed) as it is. Returns the paths that could not be copied.
QStringList seedProgramFolder(const QString& shared, const QString& folder);

} // namespace parlumo
