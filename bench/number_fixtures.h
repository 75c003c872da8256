#pragma once

#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "widgets/number_memo.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

namespace parlumo::bench {

// Every fixture has this many records: memo numbers, contacts, sent batches, workbook rows.
inline constexpr int kFixtureRows = 100'000;

// A message of one part, with Chinese characters so that encoding has GBK bytes to escape.
inline const QString kMessage = QStringLiteral("【Parlumo】您好，您的订单已发货，请注意查收。退订回T");

// A form body as the gateway receives it: the fields joined by "&".
inline QByteArray formBody(const QStringList& fields) {
    return fields.join(QLatin1Char('&')).toLatin1();
}

// `count` eleven-digit mobile numbers in a scattered order; one in twenty repeats an earlier one.
QStringList mobileNumbers(int count);
// The same numbers as a memo holds them, one a line.
QString memoOfNumbers(int count);

// Keeps the last message box shown and answers with its first button.
class LastMessage final : public MessageBoxes {
public:
    MessageButton show(QWidget*, const MessageRequest& request) override;
    QString text;
};

// Answers every save dialog with one path; nothing is ever opened.
class SaveTo final : public FileDialogs {
public:
    explicit SaveTo(QString path) : path_(std::move(path)) {}
    QString openFile(QWidget*, const FileDialogRequest&) override { return QString(); }
    QString saveFile(QWidget*, const FileDialogRequest&) override { return path_; }

private:
    QString path_;
};

// The compose screen's memo `mob` with its count field `hm`, on a shown screen.
struct ComposeMemo {
    ComposeMemo() : memo(&screen, mob, hm, inmob, config(), messages, dialogs) { screen.show(); }
    static NumberMemoConfig config() {
        NumberMemoConfig c;
        c.count = CountRule::Items;
        c.entry = EntryRule::MobileOrAreaCode;
        return c;
    }
    QWidget screen;
    QPlainTextEdit* mob = new QPlainTextEdit(&screen);
    QLineEdit* hm = new QLineEdit(&screen);
    QLineEdit* inmob = new QLineEdit(&screen);
    LastMessage messages;
    SaveTo dialogs{QString()};
    NumberMemo memo;
};

} // namespace parlumo::bench
