#pragma once

#include <QString>
#include <QStringList>

namespace parlumo {

// The program folder's list of forbidden words, one a line in GBK.
inline const QString kKeywordFile = QStringLiteral("keyword.txt");

// The forbidden words the file lists now (see forbiddenWordList); none when it is missing or
// cannot be read, so that a program folder without the list sends unchecked.
QStringList readForbiddenWords(const QString& path);

} // namespace parlumo
