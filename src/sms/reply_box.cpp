#include "sms/reply_box.h"

#include "data/conditions.h"
#include "service/replies.h"

#include <QDateTime>

namespace parlumo {

namespace {

const QString kRecordSeparator = QStringLiteral("<br>");

const QString kRepliesWithNames = QStringLiteral(
    "select backsms.bid,backsms.mobno,backsms.msp,backsms.uid,backsms.msg,backsms.intime,telbook.tname "
    "from backsms left join telbook on backsms.mobno=telbook.mobno and telbook.uid=backsms.uid where ");

} // namespace

bool holdsReplies(const QString& answer) {
    return answer.indexOf(QLatin1Char('|')) >= 1;
}

ReplyBoxAnswer readReplyBox(const QString& answer) {
    ReplyBoxAnswer read;
    for (const QStringList& fields : splitRecordList(answer, kRecordSeparator)) {
        if (fields.size() < 4) {
            read.endedEarly = true;
            break;
        }
        read.replies.append(ReceivedReply{fields[0], fields[1], fields[2], fields[3]});
    }
    return read;
}

QString normalisedReplyTime(const QString& time) {
    static const QStringList formats{
        QStringLiteral("yyyy-M-d H:m:s"),
        QStringLiteral("yyyy/M/d H:m:s"),
        QStringLiteral("yyyy-M-d H:m:s.z"),
        QStringLiteral("yyyy-M-dTH:m:s"),
        QStringLiteral("yyyy-M-d H:m"),
        QStringLiteral("yyyy/M/d H:m"),
        QStringLiteral("yyyyMMddHHmmss"),
        QStringLiteral("yyyy-M-d"),
        QStringLiteral("yyyy/M/d"),
    };
    const QString trimmed = time.trimmed();
    for (const QString& format : formats) {
        const QDateTime moment = QDateTime::fromString(trimmed, format);
        if (moment.isValid())
            return databaseTimestamp(moment);
    }
    return time;
}

SqlText storeReplyStatement(const QString& uid, const ReceivedReply& reply) {
    return SqlText(QStringLiteral("insert into backsms(uid,mobno,msg,msp,intime) values("))
        .valueList({uid.trimmed(), reply.number, reply.text, reply.port, normalisedReplyTime(reply.time)})
        .add(QStringLiteral(")"));
}

SqlText repliesStatement(const QString& uid) {
    return SqlText(kRepliesWithNames)
        .add(accountCondition(uid, QStringLiteral("backsms.uid")))
        .add(newestFirst(QStringLiteral("backsms.bid")));
}

SqlText repliesSearchStatement(const QString& uid, ReplySearch by, const QString& key) {
    const QString column =
        by == ReplySearch::ByNumber ? QStringLiteral("backsms.mobno") : QStringLiteral("backsms.msg");
    return SqlText(kRepliesWithNames)
        .add(accountCondition(uid, QStringLiteral("backsms.uid")))
        .add(QStringLiteral(" and "))
        .add(instrCondition(column, key))
        .add(newestFirst(QStringLiteral("backsms.bid")));
}

SqlText deleteReplyStatement(qint64 bid) {
    return SqlText(QStringLiteral("delete from backsms where bid=")).value(bid);
}

} // namespace parlumo
