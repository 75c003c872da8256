#include "widgets/paragraph_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace parlumo {

namespace {

QString withoutLineBreaks(QString text) {
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    return text;
}

void clean(QPlainTextEdit* memo, QLineEdit* count) {
    const QString text = memo->toPlainText();
    const QString cleaned = withoutLineBreaks(text);
    if (cleaned != text) {
        const int caret = memo->textCursor().position();
        const int caretAfter = withoutLineBreaks(text.left(caret)).size();
        const QSignalBlocker quiet(memo);
        memo->setPlainText(cleaned);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(caretAfter);
        memo->setTextCursor(cursor);
    }
    count->setText(QString::number(cleaned.size()));
}

} // namespace

void keepOneParagraph(QPlainTextEdit* memo, QLineEdit* count) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, count, [memo, count] { clean(memo, count); });
}

} // namespace parlumo
