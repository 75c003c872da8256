#include "text/forbidden_words.h"

#include <QSet>

namespace parlumo {

namespace {

// Only ASCII letters are folded, so a folded text keeps every character's position.
QChar folded(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}

QString folded(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = folded(text[i]);
    return result;
}

} // namespace

QStringList forbiddenWordList(const QStringList& lines) {
    QStringList words;
    QSet<QString> seen;
    for (const QString& line : lines) {
        const QString word = line.trimmed();
        if (word.isEmpty() || seen.contains(folded(word)))
            continue;
        words << word;
        seen.insert(folded(word));
    }
    return words;
}

QList<WordMatch> findForbiddenWords(const QString& text, const QStringList& words) {
    QStringList needles;
    for (const QString& word : words)
        needles << folded(word);
    const QString haystack = folded(text);
    QList<WordMatch> matches;
    for (qsizetype position = 0; position < haystack.size(); ++position) {
        const QStringView rest = QStringView(haystack).sliced(position);
        for (qsizetype w = 0; w < words.size(); ++w)
            if (!needles[w].isEmpty() && rest.startsWith(needles[w]))
                matches.append({position, words[w].size(), words[w]});
    }
    return matches;
}

QStringList wordsFound(const QList<WordMatch>& matches) {
    QStringList words;
    for (const WordMatch& match : matches)
        if (!words.contains(match.word))
            words << match.word;
    return words;
}

QString forbiddenWordsMessage(const QStringList& words) {
    QStringList quoted;
    for (const QString& word : words)
        quoted << QStringLiteral("“%1”").arg(word);
    return QStringLiteral("内容里包含违规关键字：%1，请修改后再发送！")
        .arg(quoted.join(QStringLiteral("、")));
}

} // namespace parlumo
