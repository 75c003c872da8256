#pragma once

#include "data/number_list.h"

#include <QObject>
#include <QString>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace parlumo {

class FileDialogs;
class MessageBoxes;

// How one screen's number memo behaves; the operations are the same on every screen.
struct NumberMemoConfig {
    CountRule count = CountRule::Lines;
    // Characters that the memo accepts besides digits, Backspace and Enter; none when any key goes.
    std::optional<QString> memoExtraKeys;
    // The entry box's rule on Enter, and the characters it accepts besides digits.
    std::optional<EntryRule> entry;
    QString entryExtraKeys;
    // The text file loader's filter ("desc|pattern|…"; empty shows every file).
    QString fileFilter;
    // The header caption of the number export.
    QString exportCaption = QStringLiteral("手机号码");
};

// A number memo with its count field and entry box: counting on every change, adding one entry,
// deleting the caret line, clearing, removing duplicates, loading a text file and exporting the
// numbers to a spreadsheet.
class NumberMemo : public QObject {
    Q_OBJECT
public:
    NumberMemo(QWidget* screen,
               QPlainTextEdit* memo,
               QLineEdit* count,
               QLineEdit* entry,
               NumberMemoConfig config,
               MessageBoxes& messages,
               FileDialogs& fileDialogs);

    void recount();
    void addEntry();
    void deleteCaretLine();
    void clear();
    void removeDuplicates();
    void loadTextFile();
    void exportNumbers();
    // Other screens hand numbers over, one line each.
    void appendNumbers(const QStringList& numbers);
    // Another box of the screen that takes only the entry box's keys, and whose Enter adds the
    // entry box's content.
    void shareEntryKeys(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setText(const QString& text);

    QWidget* screen_;
    QPlainTextEdit* memo_;
    QLineEdit* count_;
    QLineEdit* entry_;
    QLineEdit* entryKeysBox_ = nullptr;
    NumberMemoConfig config_;
    MessageBoxes& messages_;
    FileDialogs& dialogs_;
};

} // namespace parlumo
