// The MMS screen's send: the checks, the call to the service off the window's thread, and what
// an accepted task changes.
#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "mms/mms_screen.h"
#include "service/replies.h"
#include "toolkit/message_box.h"
#include "widgets/forbidden_word_check.h"
#include "widgets/number_memo.h"
#include "widgets/service_call.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace parlumo {

MmsDraft TForm14::draft() const {
    const AccountFields account = services_.account->get();
    MmsDraft d;
    d.numbersText = mob->toPlainText();
    d.numberCount = hm->text().toInt();
    d.title = mmstitle->text();
    d.text = mmstxt->toPlainText();
    d.textLength = zf->text().toInt();
    d.textLimit = max_txt->text().toInt();
    d.mode = RadioButton1->isChecked() ? MmsMode::Picture : MmsMode::Text;
    d.picturePath = edtmmfile->text();
    d.balance = account.money;
    d.unitPrice = account.cdj;
    return d;
}

void TForm14::LbSpeedButton3Click() {
    if (call_->running())
        return;
    LbSpeedButton3->setEnabled(false);
    std::variant<MmsRefusal, MmsSend> prepared;
    try {
        prepared = prepareMmsSend(draft());
    } catch (const Error& error) {
        services_.messages->showMessage(this, error.reason());
        LbSpeedButton3->setEnabled(true);
        return;
    }
    if (const auto* refusal = std::get_if<MmsRefusal>(&prepared)) {
        refuse(*refusal);
        return;
    }
    if (!forbiddenWords_->passes()) {
        LbSpeedButton3->setEnabled(true);
        return;
    }
    sending_ = std::get<MmsSend>(prepared);
    numbersRead_ = mob->toPlainText();
    const AccountFields account = services_.account->get();
    call_->start([endpoint = account.service_url,
                  uid = account.uid.trimmed(),
                  pwd = account.pwd.trimmed(),
                  send = sending_](const SoapCallControl& control) {
        return soapClientFor(endpoint, control)
            .SendMMS(
                uid, pwd, send.mobno.trimmed(), send.title, send.content, send.picture, send.pictureName);
    });
}

void TForm14::refuse(const MmsRefusal& refusal) {
    inform(refusal.message);
    switch (refusal.focus) {
    case MmsField::Numbers:
        mob->setFocus();
        break;
    case MmsField::Title:
        mmstitle->setFocus();
        break;
    case MmsField::Text:
        mmstxt->setFocus();
        break;
    case MmsField::PictureFile:
        edtmmfile->setFocus();
        break;
    case MmsField::None:
        break;
    }
    LbSpeedButton3->setEnabled(true);
}

void TForm14::sendAnswered(const QString& reply) {
    if (isResultCode(reply)) {
        const QString message = mmsResultMessage(reply);
        if (!message.isEmpty())
            inform(message);
    } else {
        acceptTask(reply.trimmed());
    }
    LbSpeedButton3->setEnabled(true);
}

void TForm14::sendFailed(const QString&) {
    services_.messages->showMessage(this, QStringLiteral("本地错误"));
    LbSpeedButton3->setEnabled(true);
}

void TForm14::acceptTask(const QString& taskNumber) {
    // The service has taken the task and billed it: the balance drops whatever happens to the record.
    lowerBalance();
    try {
        services_.database->execute(mmsRecordInsert(services_.account->get().uid, taskNumber, sending_));
    } catch (const DatabaseError& error) {
        inform(unrecordedTaskMessage(taskNumber, error.reason()));
        return;
    }
    inform(QStringLiteral("彩信的提交成功！手机收到仍需要一段时间,请您耐心等侯！"));
    // Numbers typed or added while the call ran are kept.
    if (mob->toPlainText() == numbersRead_)
        numbers_->clear();
}

void TForm14::lowerBalance() {
    AccountFields lowered;
    services_.account->change([this, &lowered](AccountFields& a) {
        if (const std::optional<Decimal> money = Decimal::parse(a.money.trimmed()))
            a.money = (*money - sending_.cost).toString();
        lowered = a;
    });
    Q_EMIT accountChanged(lowered);
}

void TForm14::inform(const QString& text) {
    services_.messages->inform(this, QStringLiteral("提示"), text, MessageIcon::Information);
}

} // namespace parlumo
