// The send of a fax: the checks, the file, the call off the window's thread, and the reply.
#include "fax/fax_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "data/file_bytes.h"
#include "fax/fax_send_rules.h"
#include "service/replies.h"
#include "text/decimal.h"
#include "text/trim_controls.h"
#include "toolkit/message_box.h"
#include "widgets/number_memo.h"
#include "widgets/service_call.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace parlumo {

void Tf_fax::inform(const QString& text) {
    services_.messages->inform(this, QStringLiteral("提示"), text);
}

void Tf_fax::LbSpeedButton3Click() {
    const AccountFields account = services_.account->get();
    const std::optional<FaxSendRefusal> refusal = checkFaxSend(
        {faxno->toPlainText(), hm->text().toInt(), Edit4->text(), account.money, select_faxfile->text()});
    if (refusal) {
        inform(refusal->message);
        if (refusal->focus == faxno->objectName())
            faxno->setFocus();
        else if (refusal->focus == select_faxfile->objectName())
            select_faxfile->setFocus();
        return;
    }
    // The controls stay editable while the fax goes out: the reply is applied to what was sent.
    Sending sending;
    sending.numbersText = faxno->toPlainText();
    sending.numberString = faxNumberString(sending.numbersText);
    sending.count = hm->text();
    sending.cost = Edit4->text();
    sending.linkman = men->text();
    sending.subject = subjects->text();
    sending.faxfile = filename->text();

    services_.messages->showMessage(this, QStringLiteral("点[确定]开始发送。发送过程中请勿退出。"));
    LbSpeedButton3->setEnabled(false);
    QByteArray document;
    try {
        document = readFileBytes(select_faxfile->text());
    } catch (const Error& error) {
        services_.messages->showMessage(this, error.reason());
        LbSpeedButton3->setEnabled(true);
        return;
    }
    startSend(sending, document);
}

void Tf_fax::startSend(const Sending& sending, const QByteArray& document) {
    sending_ = sending;
    const AccountFields account = services_.account->get();
    call_->start([endpoint = trimControls(account.service_url),
                  uid = account.uid,
                  pwd = trimControls(account.pwd),
                  numbers = sending.numberString,
                  linkman = sending.linkman,
                  title = sending.subject,
                  document,
                  name = sending.faxfile](const SoapCallControl& control) {
        return soapClientFor(endpoint, control).SendFax(uid, pwd, numbers, linkman, title, document, name);
    });
}

void Tf_fax::sendAnswered(const QString& reply) {
    LbSpeedButton3->setEnabled(true);
    if (isResultCode(reply)) {
        if (const std::optional<QString> message = faxResultMessage(reply))
            inform(*message);
        return;
    }
    const QString snum = trimControls(reply);
    const AccountFields account = services_.account->get();
    try {
        services_.database->execute(faxRecordInsert({account.uid,
                                                     snum,
                                                     sending_.count,
                                                     sending_.numberString,
                                                     sending_.linkman,
                                                     sending_.subject,
                                                     sending_.faxfile}));
    } catch (const DatabaseError& error) {
        // The service took the task and charged for it: the balance says so, the numbers stay.
        lowerBalance(sending_.cost);
        inform(unrecordedTaskMessage(snum, error.reason()));
        return;
    }
    // Numbers typed or added while the fax went out are kept.
    if (faxno->toPlainText() == sending_.numbersText)
        numbers_->clear();
    lowerBalance(sending_.cost);
    inform(QStringLiteral("传真发送成功！详细请查看 [传真记录]"));
}

void Tf_fax::sendFailed() {
    LbSpeedButton3->setEnabled(true);
    inform(QStringLiteral("未知错误！"));
}

void Tf_fax::lowerBalance(const QString& cost) {
    const std::optional<Decimal> spent = Decimal::parse(cost);
    if (!spent)
        return;
    services_.account->change([&spent](AccountFields& fields) {
        if (const std::optional<Decimal> balance = Decimal::parse(fields.money))
            fields.money = (*balance - *spent).toString();
    });
    Q_EMIT accountChanged(services_.account->get());
}

} // namespace parlumo
