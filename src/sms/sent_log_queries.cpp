#include "sms/sent_log_queries.h"

#include "data/conditions.h"
#include "data/number_list.h"

namespace parlumo {

RecordListConfig sentLogList() {
    RecordListConfig config;
    config.columns = {{QStringLiteral("tag"), QStringLiteral("状态"), 5},
                      {QStringLiteral("num"), QStringLiteral("数量"), 4},
                      {QStringLiteral("intime"), QStringLiteral("发送时间"), 18},
                      {QStringLiteral("msg"), QStringLiteral("短信内容"), 85}};
    config.keyField = QStringLiteral("sid");
    config.numbersField = QStringLiteral("mobno");
    return config;
}

namespace {

SqlText accountsBatches(const QString& uid) {
    return SqlText(QStringLiteral("select * from send where ")).add(accountCondition(uid));
}

} // namespace

QString statusWord(int code) {
    return QString::number(code)
        .replace(QStringLiteral("0"), QStringLiteral("成功"))
        .replace(QStringLiteral("-1"), QStringLiteral("失败"))
        .replace(QStringLiteral("-2"), QStringLiteral("草稿"));
}

bool isFailedBatch(const QString& tag) {
    return tag.startsWith(statusWord(sent_status::kFailed));
}

SqlText newestSentStatement(const QString& uid) {
    return accountsBatches(uid).add(newestFirst(QStringLiteral("sid"))).add(QStringLiteral(" limit 10000"));
}

SqlText sentByStatusStatement(const QString& uid, int code) {
    SqlText statement = accountsBatches(uid);
    if (code != sent_status::kAll)
        statement.add(QStringLiteral(" and substr(tag,1,2)=")).value(statusWord(code));
    return statement.add(newestFirst(QStringLiteral("sid")));
}

SqlText
sentSearchStatement(const QString& uid, const QDate& firstDay, const QDate& lastDay, const QString& key) {
    return accountsBatches(uid)
        .add(QStringLiteral(" and "))
        .add(dateRangeCondition(firstDay, lastDay))
        .add(QStringLiteral(" and "))
        .add(containsCondition(QStringLiteral("msg"), key))
        .add(QStringLiteral(" order by sid"));
}

SqlText sentNumbersStatement(qint64 sid) {
    return SqlText(QStringLiteral("select mobno from send where sid=")).value(sid);
}

SqlText deleteSentStatement(qint64 sid) {
    return SqlText(QStringLiteral("delete from send where sid=")).value(sid);
}

QStringList numbersOfBatch(const QString& mobno) {
    return memoLines(QString(mobno).replace(QLatin1Char(','), QLatin1Char('\n')));
}

} // namespace parlumo
