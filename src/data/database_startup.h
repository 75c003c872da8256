#pragma once

#include <QString>

namespace parlumo {

// Compacts the database file at start-up: a consistent copy is written to "tmpDB.mdb" beside it
// and renamed over it in one step, so the database is never lost or left half-written. A
// leftover "tmpDB.mdb" means no compaction (and is left alone); every failure is silent.
void CampactAccessDB(const QString& databasePath);

// Puts "db.bak" in place as "db.db" when "db.db" is missing; an existing "db.db" is never replaced.
void restoreSpareCopy(const QString& programFolder);

// The start-up of the login screen's creation: compaction, then the spare copy.
void prepareDatabaseFiles(const QString& programFolder);

} // namespace parlumo
