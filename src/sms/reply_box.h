#pragma once

#include "data/sql_text.h"

#include <QList>
#include <QString>

namespace parlumo {

// One reply as the reply box hands it out.
struct ReceivedReply {
    QString number;
    QString text;
    QString port;
    QString time;
};

// The replies of one answer of the reply box, and whether the answer ended with a record it
// could not read (too few fields, an empty record such as the one after the last "<br>").
struct ReplyBoxAnswer {
    QList<ReceivedReply> replies;
    bool endedEarly = false;
};

// An answer holds records when its first "|" stands at its second position or later; anything
// else (empty, a result code) means no replies.
bool holdsReplies(const QString& answer);

// Records end at "<br>" only; each has the fields number, text, port and time at "|", blanks
// kept. Reading stops at the first record without four fields.
ReplyBoxAnswer readReplyBox(const QString& answer);

// The reply's time as "yyyy-MM-dd HH:mm:ss" when it can be read as a date and time, else as it
// came.
QString normalisedReplyTime(const QString& time);

// The reply stored for the account, its time normalised.
SqlText storeReplyStatement(const QString& uid, const ReceivedReply& reply);

// What the search looks at.
enum class ReplySearch { ByNumber, ByText };

// The account's replies with the name its own address book holds for each number, newest first.
SqlText repliesStatement(const QString& uid);
// The same, only replies whose number or text holds the key.
SqlText repliesSearchStatement(const QString& uid, ReplySearch by, const QString& key);

SqlText deleteReplyStatement(qint64 bid);

} // namespace parlumo
