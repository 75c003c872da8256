#pragma once

#include "data/sql_text.h"
#include "widgets/record_list_model.h"

#include <QDate>
#include <QString>

namespace parlumo {

// The columns of the sent log's list and how its rows are known.
RecordListConfig sentLogList();

// Status codes of the sent log's tree nodes.
namespace sent_status {
inline constexpr int kAll = 800;
inline constexpr int kAccepted = 0;
inline constexpr int kFailed = -1;
inline constexpr int kDraft = -2;
} // namespace sent_status

// The status word of a code: in its decimal text "0" becomes "成功", then "-1" "失败", then
// "-2" "草稿".
QString statusWord(int code);

// A batch whose tag classes it as failed on the network ("失败").
bool isFailedBatch(const QString& tag);

// The newest 10000 batches of the account, newest first (the list when the screen first shows).
SqlText newestSentStatement(const QString& uid);

// The account's batches of one status class (any for the root's code), newest first.
SqlText sentByStatusStatement(const QString& uid, int code);

// The account's batches stamped strictly inside the days whose content holds the key literally,
// oldest first, whatever their status.
SqlText
sentSearchStatement(const QString& uid, const QDate& firstDay, const QDate& lastDay, const QString& key);

// The numbers of one batch.
SqlText sentNumbersStatement(qint64 sid);

SqlText deleteSentStatement(qint64 sid);

// A batch's numbers, one a line: every "," becomes a line break.
QStringList numbersOfBatch(const QString& mobno);

} // namespace parlumo
