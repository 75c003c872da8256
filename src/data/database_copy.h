#pragma once

#include <QString>

namespace parlumo {

// Writes a consistent copy of the live database to `target`, replacing a file that is there:
// the copy goes to a temporary file beside the target and is renamed into place only when it
// is complete. Raises Error on any failure, and when the target is the database file itself.
void copyDatabase(const QString& databasePath, const QString& target);

} // namespace parlumo
