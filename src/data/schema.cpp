#include "data/schema.h"

namespace parlumo {

namespace {

// Every intime that the program does not write takes the local time of the insert.
#define PARLUMO_KEY(name) name " INTEGER PRIMARY KEY AUTOINCREMENT"
#define PARLUMO_INTIME "intime TEXT DEFAULT (datetime('now','localtime'))"

} // namespace

const QStringList& schemaStatements() {
    static const QStringList statements{
        "CREATE TABLE IF NOT EXISTS telbook (" PARLUMO_KEY("id") ", mobno TEXT, tname TEXT, othertel TEXT, "
                                                                 "memo TEXT, " PARLUMO_INTIME
                                                                 ", uid TEXT, tid INTEGER DEFAULT 0)",
        "CREATE TABLE IF NOT EXISTS tel (ID INTEGER PRIMARY KEY, PID INTEGER DEFAULT 0, Caption TEXT, uid "
        "TEXT)",
        "CREATE TABLE IF NOT EXISTS mb (ID INTEGER PRIMARY KEY, PID INTEGER DEFAULT 0, Caption TEXT, uid "
        "TEXT)",
        "CREATE TABLE IF NOT EXISTS mbsms (" PARLUMO_KEY("id") ", msg TEXT, tid INTEGER DEFAULT 0, uid TEXT)",
        "CREATE TABLE IF NOT EXISTS send (" PARLUMO_KEY(
            "sid") ", uid TEXT, mobno TEXT, num INTEGER, msg TEXT, "
                   "tag TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS backsms (" PARLUMO_KEY(
            "bid") ", uid TEXT, mobno TEXT, msg TEXT, msp TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS mms_list (" PARLUMO_KEY(
            "id") ", uid TEXT, snum TEXT, mobcount INTEGER, "
                  "mobno TEXT, title TEXT, coutent TEXT, mmsfiles TEXT, tag TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS vlist (" PARLUMO_KEY(
            "vid") ", uid TEXT, snum TEXT, mode TEXT, fcount INTEGER, "
                   "vno TEXT, tmoney TEXT DEFAULT '0', vtxt TEXT, vfile TEXT, tag TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS vlog (" PARLUMO_KEY(
            "id") ", snum TEXT, vno TEXT, flong TEXT, "
                  "tmoney TEXT DEFAULT '0', tag TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS faxlog (" PARLUMO_KEY(
            "id") ", snum TEXT, faxno TEXT, flong TEXT, "
                  "tmoney TEXT DEFAULT '0', tag TEXT, " PARLUMO_INTIME ")",
        "CREATE TABLE IF NOT EXISTS Faxlist (" PARLUMO_KEY(
            "fid") ", uid TEXT, snum TEXT, fcount INTEGER, "
                   "tmoney TEXT DEFAULT '0', faxno TEXT, linkman TEXT, subject TEXT, faxfile TEXT, tag "
                   "TEXT, " PARLUMO_INTIME ")",
        "CREATE INDEX IF NOT EXISTS telbook_uid ON telbook (uid, tid)",
        "CREATE INDEX IF NOT EXISTS send_uid ON send (uid)",
        "CREATE INDEX IF NOT EXISTS backsms_uid ON backsms (uid)",
        "CREATE INDEX IF NOT EXISTS vlog_snum ON vlog (snum)",
        "CREATE INDEX IF NOT EXISTS faxlog_snum ON faxlog (snum)",
    };
    return statements;
}

} // namespace parlumo
