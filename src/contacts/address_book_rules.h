#pragma once

#include "data/sql_text.h"
#include "widgets/record_list_model.h"

#include <QString>

namespace parlumo {

// What Enter in the contact list makes of the current row's number.
enum class ContactNumberCheck {
    Empty,      // "输入有误!"
    NotANumber, // "手机号码请输入数字"
    Accepted,
};

// Digits with at most one "." that neither starts nor ends the text (138.5 passes, .138 does not).
ContactNumberCheck checkContactNumber(const QString& mobno);

// The columns of the contact list, in the order the import fills them by position.
inline const QString kContactColumns = QStringLiteral("mobno,tname,othertel,memo,id,intime,uid,tid");

// The columns of the contact list, edited in place and dragged onto groups; the screen adds how
// a row is stored.
RecordListConfig contactList();

// The account's contacts filed directly in `group`; group 0 (the root) lists all of them.
SqlText contactsOfGroup(const QString& uid, int group);

// The account's contacts, in any group, whose name (or number) holds `key` literally; the key is
// trimmed and an empty key lists them all.
SqlText contactSearch(const QString& uid, bool byName, const QString& key);

// Files one contact into a group.
SqlText moveContactToGroup(int group, qint64 id);

// Deletes one of the account's contacts.
SqlText deleteContact(const QString& uid, qint64 id);

// Deletes the account's contacts filed directly in `group` (0: those in no group).
SqlText deleteContactsOfGroup(const QString& uid, int group);

// The question before a group and its contents are deleted.
QString deleteGroupQuestion(const QString& caption);

} // namespace parlumo
