#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace parlumo {

// Forbidden words, as the program folder's keyword.txt lists them, and where a text holds them.
// A word matches literally, character for character, except that the Latin letters A-Z and a-z
// match whatever their case; every other character (Chinese, digits, full-width letters,
// punctuation) matches only as written.

// One place of a word in a text, in UTF-16 units.
struct WordMatch {
    qsizetype position = 0;
    qsizetype length = 0;
    QString word;
};

// The words of keyword.txt's lines: surrounding blanks trimmed, blank lines dropped, a word that
// matches an earlier one kept once.
QStringList forbiddenWordList(const QStringList& lines);

// Every place of every word in the text, ordered by position, then by the words' order; places
// that overlap (a word inside another, or two sharing characters) are all found.
QList<WordMatch> findForbiddenWords(const QString& text, const QStringList& words);

// The words of the matches, each once, in the order they were first found.
QStringList wordsFound(const QList<WordMatch>& matches);

// What the user reads when a text holds forbidden words: the words, and that the text must be
// changed before it is sent.
QString forbiddenWordsMessage(const QStringList& words);

} // namespace parlumo
