#include "text/forbidden_words.h"

#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(ForbiddenWordsTest, TheListDropsBlankLinesTrimsAndKeepsRepeatsOnce) {
    const QStringList lines{QString::fromUtf8("  发票 "),
                            "",
                            "   ",
                            QString::fromUtf8("\t赌博\u3000"),
                            QString::fromUtf8("发票"),
                            "QQ",
                            "qq",
                            QString::fromUtf8("代 开")};
    EXPECT_EQ(forbiddenWordList(lines),
              (QStringList{
                  QString::fromUtf8("发票"), QString::fromUtf8("赌博"), "QQ", QString::fromUtf8("代 开")}));
}

TEST(ForbiddenWordsTest, FindsWordsLiterallyWithLatinLettersInAnyCase) {
    const struct {
        const char* text;
        QStringList words;
        QStringList found;
    } cases[] = {
        {"开发票请联系", {"发票"}, {"发票"}},
        {"发 票", {"发票"}, {}},
        {"加qq号", {"QQ"}, {"QQ"}},
        {"加Qq号", {"qQ"}, {"qQ"}},
        // Only A-Z and a-z fold: full-width and accented letters match as written.
        {"加ＱＱ号", {"QQ"}, {}},
        {"加ＱＱ号", {"ｑｑ"}, {}},
        {"café", {"CAFÉ"}, {}},
        {"CAFÉ", {"café"}, {}},
        {"a.b", {"a?b", "A.B"}, {"A.B"}},
        {"", {"发票"}, {}},
        {"发票", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wordsFound(findForbiddenWords(QString::fromUtf8(c.text), c.words)), c.found) << c.text;
}

TEST(ForbiddenWordsTest, OverlappingWordsAreAllFoundAndNamedOnceInTheOrderFound) {
    const QStringList words{QString::fromUtf8("合彩"),
                            QString::fromUtf8("六合彩"),
                            QString::fromUtf8("六合"),
                            QString::fromUtf8("赌")};
    const QString text = QString::fromUtf8("赌六合彩，六合彩");
    const QList<WordMatch> matches = findForbiddenWords(text, words);
    QStringList places;
    for (const WordMatch& m : matches)
        places << QStringLiteral("%1+%2:%3").arg(m.position).arg(m.length).arg(m.word);
    EXPECT_EQ(places,
              (QStringList{QString::fromUtf8("0+1:赌"),
                           QString::fromUtf8("1+3:六合彩"),
                           QString::fromUtf8("1+2:六合"),
                           QString::fromUtf8("2+2:合彩"),
                           QString::fromUtf8("5+3:六合彩"),
                           QString::fromUtf8("5+2:六合"),
                           QString::fromUtf8("6+2:合彩")}));
    EXPECT_EQ(wordsFound(matches),
              (QStringList{QString::fromUtf8("赌"),
                           QString::fromUtf8("六合彩"),
                           QString::fromUtf8("六合"),
                           QString::fromUtf8("合彩")}));
}

TEST(ForbiddenWordsTest, TheMessageNamesEveryWord) {
    EXPECT_EQ(forbiddenWordsMessage({QString::fromUtf8("发票"), "%1"}),
              QString::fromUtf8("内容里包含违规关键字：“发票”、“%1”，请修改后再发送！"));
}

} // namespace
} // namespace parlumo
