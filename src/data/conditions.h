#pragma once

#include "data/sql_text.h"

#include <QDate>

namespace parlumo {

inline const QString kGuestAccount = QStringLiteral("guest");

// "uid=?" with the account identifier trimmed: the rows of one account.
SqlText accountCondition(const QString& uid, const QString& column = QStringLiteral("uid"));

// The account's rows and the shared guest rows (phrases and the group trees).
SqlText accountOrGuestCondition(const QString& uid, const QString& column = QStringLiteral("uid"));

// Rows stamped strictly after the first day's midnight and strictly before the last second of
// the last day.
SqlText dateRangeCondition(const QDate& firstDay,
                           const QDate& lastDay,
                           const QString& column = QStringLiteral("intime"));

// The column holds the key as a substring; "%", "_" and "\" in the key match themselves.
SqlText containsCondition(const QString& column, const QString& key);

// The same test, case-sensitive, as the received replies search it.
SqlText instrCondition(const QString& column, const QString& key);

// " order by <key> desc": newest rows first.
QString newestFirst(const QString& keyColumn);

// The text form of a date and time in the database.
QString databaseTimestamp(const QDateTime& moment);

} // namespace parlumo
