#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextEdit>

namespace parlumo::test {

// The ranges a text box marks with extra selections, as "start-end", in the box's order.
inline QStringList markedRanges(const QPlainTextEdit* box) {
    QStringList ranges;
    for (const QTextEdit::ExtraSelection& s : box->extraSelections())
        ranges << QStringLiteral("%1-%2").arg(s.cursor.selectionStart()).arg(s.cursor.selectionEnd());
    return ranges;
}

} // namespace parlumo::test
