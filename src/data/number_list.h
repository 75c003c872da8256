#pragma once

#include <QString>
#include <QStringList>

namespace parlumo {

// The delimited-list rule with "," as separator: line breaks, blanks and control characters
// separate items too, a quoted text is one item, empty items between commas count.
QStringList splitNumberList(QStringView text);

// How a memo's text becomes a comma list before it is sent or exported.
struct JoinRule {
    bool trimFirst = false;          // the MMS and fax senders trim the text first
    bool semicolonsAsCommas = false; // the number-list exports read ";" as a separator
};
inline constexpr JoinRule kVoiceSenderJoin{false, false};
inline constexpr JoinRule kTrimmedSenderJoin{true, false};
inline constexpr JoinRule kExportJoin{false, true};

// Line feeds become ",", blanks and carriage returns go.
QString joinMemo(const QString& text, JoinRule rule);

// How a memo's count field counts.
enum class CountRule {
    Items, // items of the text with blanks removed, split at "," (the send-SMS screen)
    Lines, // lines of the memo
};
int countNumbers(const QString& text, CountRule rule);

// The lines of a memo's text: an empty text has none, a final line break adds none.
QStringList memoLines(const QString& text);
QString memoText(const QStringList& lines);

// The memo's lines (as memoLines reads them) sorted ascending by text, letters compared without
// regard to case, with every line equal to the one before it dropped, as a memo's text; empty
// lines collapse into one, which sorts first.
QString removeDuplicateLines(const QString& text);

// The text with the line at `lineIndex` removed; the other lines keep their order.
QString deleteLine(const QString& text, int lineIndex);

// Which entries an entry box accepts on Enter.
enum class EntryRule {
    MobileOrAreaCode, // at least 10 characters, starting with "0" or "1"
    AreaCode,         // at least 10 characters, starting with "0" (fax numbers)
};
bool entryAccepted(const QString& entry, EntryRule rule);

} // namespace parlumo
