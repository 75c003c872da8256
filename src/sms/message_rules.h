#pragma once

#include <QString>

namespace parlumo {

// The message text as the compose screen keeps it: no white space or control characters at
// either end, every "'" turned into a double quote, line breaks dropped.
QString cleanMessageText(const QString& text);

// Where the caret belongs after cleaning: the cleaned length of the text before it.
int cleanedCaretPosition(const QString& text, int caret, int cleanedLength);

// The account's characters per SMS as a number; "0", an empty or an unreadable figure reads as 60.
int charsPerSms(const QString& MaxSmsChars);

// The characters billed as one message for a text of `length` characters.
int billingSize(int charsPerSms, int length);

// The caption after the billing size, or a null text when it keeps its text.
QString billingCaption(int charsPerSms);

// The question before sending a text longer than `charsPerSms` to `total` numbers in `parts`
// messages each.
QString longMessageQuestion(int charsPerSms, long long total, long long parts);

// Billed messages per number: 0 for an empty text, else the length divided by the size, rounded up.
int partsPerNumber(int length, int billingSize);

} // namespace parlumo
