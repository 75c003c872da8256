#include "contacts/address_book_rules.h"

#include "data/conditions.h"

namespace parlumo {

ContactNumberCheck checkContactNumber(const QString& mobno) {
    if (mobno.isEmpty())
        return ContactNumberCheck::Empty;
    int points = 0;
    for (const QChar c : mobno) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return ContactNumberCheck::NotANumber;
    }
    const bool pointAtEdge = mobno.startsWith(QLatin1Char('.')) || mobno.endsWith(QLatin1Char('.'));
    return points <= 1 && !pointAtEdge ? ContactNumberCheck::Accepted : ContactNumberCheck::NotANumber;
}

namespace {

SqlText selectContacts(const QString& uid) {
    return SqlText(QStringLiteral("select ") + kContactColumns + QStringLiteral(" from telbook where "))
        .add(accountCondition(uid));
}

// Contacts are listed in the order they were entered, whichever index the database walks.
const QString kEntryOrder = QStringLiteral(" order by id");

} // namespace

RecordListConfig contactList() {
    RecordListConfig config;
    config.columns = {{QStringLiteral("mobno"), QStringLiteral("号码"), 14},
                      {QStringLiteral("tname"), QStringLiteral("姓名"), 18},
                      {QStringLiteral("othertel"), QStringLiteral("其它联系方式"), 25},
                      {QStringLiteral("memo"), QStringLiteral("备注"), 100}};
    config.keyField = QStringLiteral("id");
    config.numbersField = QStringLiteral("mobno");
    config.carriedFields = {QStringLiteral("uid"), QStringLiteral("tid")};
    config.draggable = true;
    config.editableFields = {
        QStringLiteral("mobno"), QStringLiteral("tname"), QStringLiteral("othertel"), QStringLiteral("memo")};
    return config;
}

SqlText contactsOfGroup(const QString& uid, int group) {
    SqlText statement = selectContacts(uid);
    if (group != 0)
        statement.add(QStringLiteral(" and tid=")).value(group);
    return statement.add(kEntryOrder);
}

SqlText contactSearch(const QString& uid, bool byName, const QString& key) {
    return selectContacts(uid)
        .add(QStringLiteral(" and "))
        .add(containsCondition(byName ? QStringLiteral("tname") : QStringLiteral("mobno"), key.trimmed()))
        .add(kEntryOrder);
}

SqlText moveContactToGroup(int group, qint64 id) {
    return SqlText(QStringLiteral("update telbook set tid="))
        .value(group)
        .add(QStringLiteral(" where id="))
        .value(id);
}

SqlText deleteContact(const QString& uid, qint64 id) {
    return SqlText(QStringLiteral("delete from telbook where "))
        .add(accountCondition(uid))
        .add(QStringLiteral(" and id="))
        .value(id);
}

SqlText deleteContactsOfGroup(const QString& uid, int group) {
    return SqlText(QStringLiteral("delete from telbook where "))
        .add(accountCondition(uid))
        .add(QStringLiteral(" and tid="))
        .value(group);
}

QString deleteGroupQuestion(const QString& caption) {
    return QStringLiteral("请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"") + caption +
           QStringLiteral("\"吗?");
}

} // namespace parlumo
