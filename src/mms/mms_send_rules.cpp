#include "mms/mms_send_rules.h"

#include "data/file_bytes.h"
#include "data/number_list.h"
#include "service/replies.h"
#include "text/error.h"
#include "text/trim_controls.h"

#include <QFileInfo>

namespace parlumo {

namespace {

Decimal amount(const QString& text) {
    const std::optional<Decimal> value = Decimal::parse(text.trimmed());
    if (!value)
        throw Error(QStringLiteral("金额格式有误：%1").arg(text));
    return *value;
}

} // namespace

int textLimit(MmsMode mode) {
    return mode == MmsMode::Picture ? 500 : 1000;
}

std::variant<MmsRefusal, MmsSend> prepareMmsSend(const MmsDraft& draft) {
    if (draft.numbersText.isEmpty() || draft.numberCount < 1)
        return MmsRefusal{QStringLiteral("接收彩信的手机号码为空。"), MmsField::Numbers};
    if (draft.title.isEmpty() || draft.title == kTitleHint)
        return MmsRefusal{QStringLiteral("请填写好彩信标题。"), MmsField::Title};
    if (draft.textLength > draft.textLimit)
        return MmsRefusal{QStringLiteral("内容超过长度。"), MmsField::Text};
    MmsSend send;
    send.cost = amount(draft.unitPrice) * draft.numberCount;
    if (amount(draft.balance) < send.cost)
        return MmsRefusal{QStringLiteral("您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。")};

    send.numberCount = draft.numberCount;
    send.mobno = joinMemo(draft.numbersText, kTrimmedSenderJoin);
    send.title = trimControls(draft.title);
    send.content = trimControls(draft.text);
    send.pictureName = QFileInfo(draft.picturePath).fileName();
    if (draft.mode == MmsMode::Picture) {
        if (draft.picturePath.isEmpty())
            return MmsRefusal{QStringLiteral("没有选择彩信图片文件"), MmsField::PictureFile};
        send.picture = readFileBytes(draft.picturePath, kMaxPictureBytes);
        if (send.picture.size() > kMaxPictureBytes)
            return MmsRefusal{QStringLiteral("彩信图片太大，建议在50K之内。"), MmsField::PictureFile};
    }
    return send;
}

QString mmsResultMessage(const QString& reply) {
    if (reply == codes::kLowBalance)
        return QStringLiteral("余额不足以本次操作,请重新登录再试");
    if (reply == codes::kNoUser)
        return QStringLiteral("很抱歉！您尚未开通彩信服务，如需开通请与我们联系！祝您工作愉快！");
    if (reply == codes::kWrongPassword)
        return QStringLiteral("发送失败!密码验证失败，请重新登录 -03");
    if (reply == codes::kBadParameters)
        return QStringLiteral("参数不足");
    if (reply == codes::kMaintenance)
        return QStringLiteral("系统维护中..请稍侯再试！ -9");
    return QString();
}

SqlText mmsRecordInsert(const QString& uid, const QString& taskNumber, const MmsSend& send) {
    return SqlText(QStringLiteral(
                       "insert into mms_list(uid,snum,mobcount,mobno,title,coutent,mmsfiles,tag) values("))
        .valueList({uid.trimmed(),
                    taskNumber.trimmed(),
                    send.numberCount,
                    send.mobno,
                    send.title,
                    send.content,
                    send.pictureName,
                    QStringLiteral("成功")})
        .add(QStringLiteral(")"));
}

} // namespace parlumo
