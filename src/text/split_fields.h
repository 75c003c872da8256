#pragma once

#include "text/error.h"

#include <QStringList>

namespace parlumo {

// Splits a text into fields at a delimiter: leading blanks and control characters are skipped,
// a field starting with a double quote runs to the next lone quote (a doubled quote stands for
// one; an unclosed quote runs to the end), any other field ends at a blank, a control character
// or the delimiter, and a delimiter that ends the text adds one empty field. A NUL ends the text.
// Reply parsers and number lists share this rule.
QStringList SplitFields(QStringView text, QChar delimiter);

// How many fields SplitFields finds in the text with every `ignored` character taken out first,
// counted in one pass without building the fields or the shortened text.
qsizetype countFields(QStringView text, QChar delimiter, QChar ignored);

// Replies protect blanks inside fields by "^" before splitting and restore them in each field.
QString protectSpaces(QString text);
QString restoreSpaces(QString field);

// A reply with too few fields, or a field that cannot hold what its position means: the parse
// ends through the caller's error handling.
class FieldError : public Error {
public:
    using Error::Error;
};

// Field access by position; raises FieldError when the position does not exist.
const QString& fieldAt(const QStringList& fields, qsizetype index);

} // namespace parlumo
