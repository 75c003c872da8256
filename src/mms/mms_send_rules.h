#pragma once

#include "data/sql_text.h"
#include "text/decimal.h"

#include <QByteArray>
#include <QString>
#include <variant>

namespace parlumo {

// The title box's first text: a hint, not a title.
inline const QString kTitleHint = QStringLiteral("建议写您的 姓名 或 单位名称");
// The largest picture sent, in bytes.
inline constexpr qint64 kMaxPictureBytes = 100000;

enum class MmsMode {
    Picture, // a picture with up to 500 characters of text
    Text,    // text only, up to 1000 characters
};
int textLimit(MmsMode mode);

// What the screen holds when the user sends.
struct MmsDraft {
    QString numbersText; // `mob`
    int numberCount = 0; // `hm`
    QString title;       // `mmstitle`
    QString text;        // `mmstxt`
    int textLength = 0;  // `zf`
    int textLimit = 0;   // `max_txt`
    MmsMode mode = MmsMode::Picture;
    QString picturePath; // `edtmmfile`
    QString balance;     // the account's balance and MMS unit price
    QString unitPrice;
};

// The control that a refusal puts the focus on.
enum class MmsField { None, Numbers, Title, Text, PictureFile };

struct MmsRefusal {
    QString message;
    MmsField focus = MmsField::None;
};

// What goes to the service, and what the accepted task is recorded and billed with.
struct MmsSend {
    Decimal cost;
    int numberCount = 0;
    QString mobno; // the joined numbers, as recorded
    QString title;
    QString content;
    QByteArray picture;
    QString pictureName;
};

// The checks before anything is sent, in order: numbers, title, text length, balance, then in
// picture mode the picture's path and size. Returns the first refusal, or what is sent. Raises
// Error when the picture cannot be read or an amount is not a number.
std::variant<MmsRefusal, MmsSend> prepareMmsSend(const MmsDraft& draft);

// The message that a result code of the service shows; empty for a code without one.
QString mmsResultMessage(const QString& reply);

// The row of an accepted MMS in `mms_list`, every value bound.
SqlText mmsRecordInsert(const QString& uid, const QString& taskNumber, const MmsSend& send);

} // namespace parlumo
