#include "sms/phrase_statements.h"

#include "data/conditions.h"

namespace parlumo {

namespace {

SqlText visiblePhrases(const QString& uid) {
    return SqlText(QStringLiteral("select id, msg from mbsms where ")).add(accountOrGuestCondition(uid));
}

} // namespace

SqlText newestPhrasesStatement(const QString& uid) {
    return visiblePhrases(uid).add(newestFirst(QStringLiteral("id")) + QStringLiteral(" limit 100"));
}

SqlText categoryPhrasesStatement(const QString& uid, int groupId) {
    SqlText statement = visiblePhrases(uid);
    if (groupId != 0)
        statement.add(QStringLiteral(" and tid=")).value(groupId);
    return statement.add(newestFirst(QStringLiteral("id")));
}

SqlText phraseSearchStatement(const QString& uid, const QString& key) {
    return visiblePhrases(uid)
        .add(QStringLiteral(" and "))
        .add(containsCondition(QStringLiteral("msg"), key.trimmed()))
        .add(newestFirst(QStringLiteral("id")));
}

SqlText ownPhrasesStatement(const QString& uid) {
    return SqlText(QStringLiteral("select id, msg from mbsms where ")).add(accountCondition(uid));
}

SqlText deleteCategoryPhrasesStatement(const QString& uid, int groupId) {
    return SqlText(QStringLiteral("delete from mbsms where "))
        .add(accountCondition(uid))
        .add(QStringLiteral(" and tid="))
        .value(groupId);
}

SqlText insertPhraseStatement(const QString& msg, int groupId, const QString& uid) {
    return SqlText(QStringLiteral("insert into mbsms (msg, tid, uid) values ("))
        .valueList({msg, groupId, uid.trimmed()})
        .add(QStringLiteral(")"));
}

SqlText deletePhraseStatement(qint64 id) {
    return SqlText(QStringLiteral("delete from mbsms where id=")).value(id);
}

} // namespace parlumo
