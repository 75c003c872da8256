#include "data/conditions.h"

#include <QDateTime>

namespace parlumo {

SqlText accountCondition(const QString& uid, const QString& column) {
    return SqlText(column + QStringLiteral("=")).value(uid.trimmed());
}

SqlText accountOrGuestCondition(const QString& uid, const QString& column) {
    return SqlText(QStringLiteral("(") + column + QStringLiteral("="))
        .value(uid.trimmed())
        .add(QStringLiteral(" or ") + column + QStringLiteral("="))
        .value(kGuestAccount)
        .add(QStringLiteral(")"));
}

SqlText dateRangeCondition(const QDate& firstDay, const QDate& lastDay, const QString& column) {
    const QString format = QStringLiteral("yyyy-MM-dd");
    return SqlText(column + QStringLiteral(">"))
        .value(firstDay.toString(format) + QStringLiteral(" 00:00:00"))
        .add(QStringLiteral(" and ") + column + QStringLiteral("<"))
        .value(lastDay.toString(format) + QStringLiteral(" 23:59:59"));
}

SqlText containsCondition(const QString& column, const QString& key) {
    QString escaped = key;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return SqlText(column + QStringLiteral(" like "))
        .value(QLatin1Char('%') + escaped + QLatin1Char('%'))
        .add(QStringLiteral(" escape '\\'"));
}

SqlText instrCondition(const QString& column, const QString& key) {
    return SqlText(QStringLiteral("instr(") + column + QStringLiteral(","))
        .value(key)
        .add(QStringLiteral(")>0"));
}

QString newestFirst(const QString& keyColumn) {
    return QStringLiteral(" order by ") + keyColumn + QStringLiteral(" desc");
}

QString databaseTimestamp(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace parlumo
