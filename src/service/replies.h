#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace parlumo {

// Result codes of the service, compared as exact texts.
namespace codes {
inline const QString kSuccess = QStringLiteral("000");
inline const QString kLowBalance = QStringLiteral("-01"); // registration: the identifier is taken
inline const QString kNoUser = QStringLiteral("-02");
inline const QString kWrongPassword = QStringLiteral("-03");
inline const QString kBadParameters = QStringLiteral("-04");
inline const QString kForbiddenWords = QStringLiteral("-07"); // registration: the password is too simple
inline const QString kMaintenance = QStringLiteral("-09");
} // namespace codes

// One record: blanks protected by "^", then split at the delimiter. The fields keep the "^"
// (the login parsers use them so); restoreSpaces gives a field its blanks back.
QStringList splitRecord(const QString& reply, QChar delimiter);

// A record list: blanks protected, records split at the record delimiter, fields at "|", and the
// blanks restored in every field.
QList<QStringList> splitRecordList(const QString& reply, QChar recordDelimiter);
// The same with records ended by a separator of several characters ("<br>"); nothing else in the
// reply ends a record, beyond what ends any field.
QList<QStringList> splitRecordList(const QString& reply, const QString& recordSeparator);

// A media send's reply: fewer than 4 characters after trimming is a result code, anything
// longer the task number of the accepted task.
bool isResultCode(const QString& reply);

} // namespace parlumo
