#include "fax/fax_send_rules.h"

#include "data/number_list.h"
#include "service/replies.h"
#include "text/decimal.h"
#include "text/trim_controls.h"

namespace parlumo {

namespace {

constexpr int kStoredNumbersLength = 50;

} // namespace

QString faxCost(int lines, const QString& unitPrice) {
    const std::optional<Decimal> price = Decimal::parse(unitPrice);
    if (!price)
        return {};
    return (*price * lines).toString();
}

std::optional<FaxSendRefusal> checkFaxSend(const FaxSendInputs& inputs) {
    if (inputs.numbers.isEmpty() && inputs.count < 1)
        return FaxSendRefusal{QStringLiteral("接收传真号码为空。"), QStringLiteral("faxno")};
    const std::optional<Decimal> cost = Decimal::parse(inputs.cost);
    const std::optional<Decimal> balance = Decimal::parse(inputs.balance);
    if (!cost || !balance || *cost > *balance)
        return FaxSendRefusal{
            QStringLiteral("您余额不足以本次操作,为了不影响您的工作请充值或减少发送量。再重新发送。"),
            QString()};
    if (inputs.documentPath.isEmpty())
        return FaxSendRefusal{QStringLiteral("请先选择文件。支持Word、excel、PDF、图片、PPT"),
                              QStringLiteral("select_faxfile")};
    return std::nullopt;
}

QString faxNumberString(const QString& memoText) {
    return joinMemo(memoText, kTrimmedSenderJoin);
}

std::optional<QString> faxResultMessage(const QString& reply) {
    if (reply == codes::kLowBalance)
        return QStringLiteral("余额不足以本次操作,请重新登录再试");
    if (reply == codes::kNoUser)
        return QStringLiteral("很抱歉！您尚未开通传真服务，如需开通请与我们联系！祝您工作愉快！");
    if (reply == codes::kWrongPassword)
        return QStringLiteral("发送失败!密码验证失败，请重新登录 -03");
    if (reply == codes::kMaintenance)
        return QStringLiteral("系统维护中..请稍侯再试！ -9");
    return std::nullopt;
}

SqlText faxRecordInsert(const FaxRecord& record) {
    SqlText insert(QStringLiteral(
        "insert into Faxlist(uid,snum,fcount,tmoney,faxno,linkman,subject,faxfile,tag)values("));
    insert.valueList({trimControls(record.uid), trimControls(record.snum), trimControls(record.fcount)})
        .add(QStringLiteral(",'0',"))
        .valueList({record.numberString.left(kStoredNumbersLength),
                    trimControls(record.linkman),
                    trimControls(record.subject),
                    trimControls(record.faxfile)})
        .add(QStringLiteral(",'成功')"));
    return insert;
}

QString faxNumbersFileName(const QDateTime& now) {
    return QStringLiteral("待发传真号码") + now.toString(QStringLiteral("yyyy-MM-dd HHmmss")) +
           QStringLiteral(".TXT");
}

} // namespace parlumo
