#include "widgets/forbidden_word_check.h"

#include "core/program_file.h"
#include "core/services.h"
#include "data/keyword_file.h"
#include "text/forbidden_words.h"
#include "toolkit/message_box.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace parlumo {

ForbiddenWordCheck::ForbiddenWordCheck(QWidget* screen, QPlainTextEdit* box, Services& services)
    : QObject(screen), screen_(screen), box_(box),
      keywordFile_(programFile(services.programFolder, kKeywordFile)), messages_(*services.messages) {}

QStringList ForbiddenWordCheck::words() const {
    return readForbiddenWords(keywordFile_);
}

bool ForbiddenWordCheck::passes() {
    const QStringList found = wordsFound(findForbiddenWords(box_->toPlainText(), words()));
    if (found.isEmpty()) {
        highlight({});
        return true;
    }
    reject(found);
    return false;
}

void ForbiddenWordCheck::reject(const QStringList& found) {
    highlight(found);
    messages_.inform(screen_, QStringLiteral("提示"), forbiddenWordsMessage(found), MessageIcon::Warning);
    box_->setFocus();
}

void ForbiddenWordCheck::highlight(const QStringList& found) {
    QTextCharFormat marked;
    marked.setBackground(QColor(0xff, 0xd5, 0x4f));
    marked.setForeground(QColor(0xc6, 0x28, 0x28));
    QList<QTextEdit::ExtraSelection> selections;
    for (const WordMatch& match : findForbiddenWords(box_->toPlainText(), found)) {
        QTextCursor cursor(box_->document());
        cursor.setPosition(static_cast<int>(match.position));
        cursor.setPosition(static_cast<int>(match.position + match.length), QTextCursor::KeepAnchor);
        selections.append({cursor, marked});
    }
    box_->setExtraSelections(selections);
}

} // namespace parlumo
