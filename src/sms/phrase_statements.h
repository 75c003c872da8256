#pragma once

#include "data/sql_text.h"

#include <QString>

namespace parlumo {

// The longest phrase that is stored, in characters (UTF-16 code units), as the messages name it.
inline constexpr int kPhraseMaxLength = 200;

// The phrase lists: the account's phrases and the shared ones of "guest", newest first. Each
// statement reads the columns id and msg.
// The 100 newest, when the screen becomes visible.
SqlText newestPhrasesStatement(const QString& uid);
// A selected category's phrases; every phrase for the root (group 0).
SqlText categoryPhrasesStatement(const QString& uid, int groupId);
// The phrases holding the trimmed key literally, in any category; all for an empty key.
SqlText phraseSearchStatement(const QString& uid, const QString& key);
// The account's own phrases, in the table's order, after a category was deleted.
SqlText ownPhrasesStatement(const QString& uid);

// The account's own phrases filed directly in a category (guest phrases stay).
SqlText deleteCategoryPhrasesStatement(const QString& uid, int groupId);
SqlText insertPhraseStatement(const QString& msg, int groupId, const QString& uid);
SqlText deletePhraseStatement(qint64 id);

} // namespace parlumo
