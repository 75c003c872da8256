#include "widgets/number_memo.h"

#include "data/text_files.h"
#include "text/error.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "widgets/spreadsheet_export.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>

namespace parlumo {

namespace {

// Character keys other than digits, Backspace, Enter and the extra ones are swallowed;
// keys without a character (arrows, Home, …) pass.
bool keyRefused(const QKeyEvent* key, const QString& extra) {
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b') ||
                             c == QLatin1Char('\r') || c == QLatin1Char('\n') || extra.contains(c);
        if (!allowed)
            return true;
    }
    return false;
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

NumberMemo::NumberMemo(QWidget* screen,
                       QPlainTextEdit* memo,
                       QLineEdit* count,
                       QLineEdit* entry,
                       NumberMemoConfig config,
                       MessageBoxes& messages,
                       FileDialogs& fileDialogs)
    : QObject(screen), screen_(screen), memo_(memo), count_(count), entry_(entry), config_(std::move(config)),
      messages_(messages), dialogs_(fileDialogs) {
    connect(memo_, &QPlainTextEdit::textChanged, this, &NumberMemo::recount);
    if (config_.memoExtraKeys)
        memo_->installEventFilter(this);
    if (entry_)
        entry_->installEventFilter(this);
}

void NumberMemo::recount() {
    count_->setText(QString::number(countNumbers(memo_->toPlainText(), config_.count)));
}

void NumberMemo::setText(const QString& text) {
    {
        const QSignalBlocker quiet(memo_);
        memo_->setPlainText(text);
    }
    recount();
}

void NumberMemo::addEntry() {
    const QString number = entry_->text();
    if (!config_.entry || !entryAccepted(number, *config_.entry)) {
        messages_.showMessage(screen_, QStringLiteral("号码格式有误！"));
        entry_->setFocus();
        return;
    }
    appendNumbers({number});
    entry_->clear();
    entry_->setFocus();
}

void NumberMemo::appendNumbers(const QStringList& numbers) {
    // One change of the memo, so a long list is counted once, not once a line.
    if (!numbers.isEmpty())
        memo_->appendPlainText(numbers.join(QLatin1Char('\n')));
}

void NumberMemo::shareEntryKeys(QLineEdit* box) {
    entryKeysBox_ = box;
    box->installEventFilter(this);
}

void NumberMemo::deleteCaretLine() {
    const int line = memo_->textCursor().block().blockNumber();
    memo_->setPlainText(deleteLine(memo_->toPlainText(), line));
}

void NumberMemo::clear() {
    count_->setText(QStringLiteral("0"));
    memo_->clear();
}

void NumberMemo::removeDuplicates() {
    setText(removeDuplicateLines(memo_->toPlainText()));
}

void NumberMemo::loadTextFile() {
    const QString path =
        dialogs_.openFile(screen_, FileDialogRequest{QString(), config_.fileFilter, QString(), QString()});
    if (path.isEmpty())
        return;
    try {
        memo_->setPlainText(memoText(readTextLines(path)));
    } catch (const Error& error) {
        messages_.showMessage(screen_, error.reason());
    }
}

void NumberMemo::exportNumbers() {
    SpreadsheetExport(messages_, dialogs_)
        .exportNumbers(screen_, memo_->toPlainText(), config_.exportCaption);
}

bool NumberMemo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == entry_ || watched == entryKeysBox_) {
        if (isEnter(key)) {
            addEntry();
            return true;
        }
        return keyRefused(key, config_.entryExtraKeys);
    }
    if (watched == memo_ && config_.memoExtraKeys)
        return keyRefused(key, *config_.memoExtraKeys);
    return QObject::eventFilter(watched, event);
}

} // namespace parlumo
