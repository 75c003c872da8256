#pragma once

#include "data/sql_text.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace parlumo {

// The cost of a number list: one fax unit price for every line, whatever the document's length,
// as the shortest decimal text. Empty when the price cannot be read.
QString faxCost(int lines, const QString& unitPrice);

// What the send checks read from the screen and the account.
struct FaxSendInputs {
    QString numbers; // the text of `faxno`
    int count = 0;   // `hm`
    QString cost;    // `Edit4`
    QString balance;
    QString documentPath; // `select_faxfile`
};

// A check that stopped the send: the message, and the control that takes the focus (none when
// empty).
struct FaxSendRefusal {
    QString message;
    QString focus;
};

// The checks before a fax goes out, in order: numbers, balance (an equal balance passes; a cost
// or balance that cannot be read is refused as not covered), document.
std::optional<FaxSendRefusal> checkFaxSend(const FaxSendInputs& inputs);

// The numbers as one comma list: trimmed, line feeds as ",", blanks and carriage returns gone.
// A number and its extension written "number,extension" stay side by side.
QString faxNumberString(const QString& memoText);

// The message of a result code the service answered; none for other short replies.
std::optional<QString> faxResultMessage(const QString& reply);

// The record of an accepted fax, every value as it stands.
struct FaxRecord {
    QString uid;
    QString snum;
    QString fcount;
    QString numberString;
    QString linkman;
    QString subject;
    QString faxfile;
};

// The insert into `Faxlist`: identifier, task number, count, title, recipient and file name
// trimmed; the first 50 characters of the number string; `tmoney` "0", `tag` "成功".
SqlText faxRecordInsert(const FaxRecord& record);

// The proposed name of a saved number list: "待发传真号码", the date and time without ":", ".TXT".
QString faxNumbersFileName(const QDateTime& now);

} // namespace parlumo
