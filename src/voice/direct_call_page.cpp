#include "voice/direct_call_page.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "service/http.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "voice/direct_call_rules.h"
#include "voice/vlist_record.h"
#include "widgets/service_call.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const QString kFromBox = QStringLiteral("1");
const QString kToBox = QStringLiteral("2");

// The dial pad, row by row: each button's program name and the character it appends.
struct PadKey {
    const char* name;
    const char* key;
};
constexpr PadKey kPadKeys[] = {
    {"LbSpeedButton5", "1"},
    {"LbSpeedButton6", "2"},
    {"LbSpeedButton12", "3"},
    {"LbSpeedButton13", "4"},
    {"LbSpeedButton14", "5"},
    {"LbSpeedButton15", "6"},
    {"LbSpeedButton16", "7"},
    {"LbSpeedButton17", "8"},
    {"LbSpeedButton18", "9"},
    {"LbSpeedButton20", "*"},
    {"LbSpeedButton19", "0"},
    {"LbSpeedButton21", "#"},
};
constexpr int kPadColumns = 3;

const QString kHelpText = QStringLiteral(
    "回拔业务功能简介：\n"
    "1. 双方接听均免费，通话按分钟从账户余额中扣费。\n"
    "2. 系统先回拔您的号码，您接听后再接通对方。\n"
    "3. 支持固定电话、手机及国际长途。\n"
    "\n"
    "拨号规则：\n"
    "00+国家代码+区号+固定电话号码\n"
    "00+国家代码+手机号码（不用加0）\n"
    "\n"
    "例如：\n"
    "国内固定电话 010-62345678：00861062345678\n"
    "国内手机 13912345678：008613912345678\n"
    "美国固定电话 (212) 555-0123：0012125550123");

QLineEdit* hiddenEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = named(new QLineEdit(text, parent), name);
    edit->hide();
    return edit;
}

} // namespace

DirectCallPage::DirectCallPage(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("tt4"));
    auto* GroupBox4 = named(new QGroupBox(QStringLiteral("回拔电话"), this), QStringLiteral("GroupBox4"));
    auto* row = new QHBoxLayout(GroupBox4);
    auto* left = new QVBoxLayout;
    left->addWidget(buildNumbers());
    left->addWidget(buildDialPad(), 0, Qt::AlignLeft);

    auto* callRow = new QHBoxLayout;
    LbSpeedButton4 = primaryButton(QStringLiteral("LbSpeedButton4"), QStringLiteral("呼叫"), GroupBox4);
    LbSpeedButton4->setMinimumWidth(140);
    callRow->addWidget(LbSpeedButton4);
    callProgress = named(new QProgressBar(GroupBox4), QStringLiteral("callProgress"));
    callRow->addWidget(callProgress, 1);
    callRow->addStretch();
    left->addLayout(callRow);
    Label11 = named(new QLabel(kCallingText, GroupBox4), QStringLiteral("Label11"));
    Label11->setStyleSheet(QStringLiteral("color:#c0392b;font-weight:bold;"));
    Label11->hide();
    left->addWidget(Label11);
    left->addStretch();
    ttmc = hiddenEdit(QStringLiteral("ttmc"), kFromBox, GroupBox4);
    onno = hiddenEdit(QStringLiteral("onno"), QStringLiteral("0"), GroupBox4);
    row->addLayout(left);
    row->addWidget(buildHelp(), 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(GroupBox4);

    Timer11 = named(new QTimer(this), QStringLiteral("Timer11"));
    Timer11->setInterval(1000);
    connect(Timer11, &QTimer::timeout, this, &DirectCallPage::Timer11Timer);
    call_ = new ServiceCall(this);
    call_->setIndicator(callProgress);
    connect(call_, &ServiceCall::answered, this, &DirectCallPage::callAnswered);
    connect(call_, &ServiceCall::failed, this, [this] { callAnswered(QString()); });
    connect(LbSpeedButton4, &QPushButton::clicked, this, &DirectCallPage::LbSpeedButton4Click);
    from_tel->installEventFilter(this);
    to_tel->installEventFilter(this);
}

QWidget* DirectCallPage::buildNumbers() {
    auto* box = new QWidget(this);
    auto* form = new QGridLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    const auto addNumber = [this, box, form](int row, const QString& caption, const QString& name, const QString& hint) {
        form->addWidget(new QLabel(caption, box), row, 0);
        auto* edit = named(new QLineEdit(QStringLiteral("0086"), box), name);
        edit->setMaxLength(30);
        edit->setMinimumWidth(200);
        form->addWidget(edit, row, 1);
        auto* note = new QLabel(hint, box);
        note->setStyleSheet(QStringLiteral("color:#c0392b;"));
        form->addWidget(note, row, 2);
        return edit;
    };
    from_tel = addNumber(0, QStringLiteral("您的号码："), QStringLiteral("from_tel"), QStringLiteral("* 发起呼叫(免费)"));
    to_tel = addNumber(1, QStringLiteral("对方号码："), QStringLiteral("to_tel"), QStringLiteral("* 接听的号码(免费)"));
    form->setColumnStretch(3, 1);
    return box;
}

QWidget* DirectCallPage::buildDialPad() {
    auto* Panel5 = named(new QWidget(this), QStringLiteral("Panel5"));
    auto* pad = new QGridLayout(Panel5);
    pad->setContentsMargins(0, 6, 0, 6);
    int index = 0;
    for (const PadKey& padKey : kPadKeys) {
        const QString key = QString::fromLatin1(padKey.key);
        auto* button = namedButton(QString::fromLatin1(padKey.name), key, Panel5);
        // The pad never takes the focus, so the box entered last keeps receiving its characters.
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(56, 36);
        connect(button, &QPushButton::clicked, this, [this, key] { dial(key); });
        pad->addWidget(button, index / kPadColumns, index % kPadColumns);
        ++index;
    }
    return Panel5;
}

QWidget* DirectCallPage::buildHelp() {
    Memo2 = named(new QPlainTextEdit(kHelpText, this), QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setMinimumWidth(260);
    return Memo2;
}

bool DirectCallPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == from_tel)
            from_telEnter();
        else if (watched == to_tel)
            to_telEnter();
    }
    return QWidget::eventFilter(watched, event);
}

void DirectCallPage::from_telEnter() {
    ttmc->setText(kFromBox);
}

void DirectCallPage::to_telEnter() {
    ttmc->setText(kToBox);
}

void DirectCallPage::dial(const QString& key) {
    QLineEdit* box = ttmc->text() == kFromBox ? from_tel : to_tel;
    box->setText(box->text() + key);
}

void DirectCallPage::LbSpeedButton4Click() {
    if (callNumbersTooShort(from_tel->text(), to_tel->text())) {
        services_.messages->showMessage(this, QStringLiteral("号码有误！请查阅拔号规则。"));
        return;
    }
    const AccountFields account = services_.account->get();
    if (balanceTooLowForCalls(account.money)) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("抱歉！您的余额低于10元。不能使用通话功能！"));
        return;
    }
    LbSpeedButton4->setEnabled(false);
    pendingRecord_ = {account.uid,
                      QString(),
                      kDirectCallMode,
                      QStringLiteral("1"),
                      QStringLiteral("无"),
                      to_tel->text(),
                      QString()};
    const QString url = superphoneUrl(services_.addresses.host, account.uid, account.pwd, from_tel->text(), to_tel->text());
    call_->start([url](const SoapCallControl& control) {
        return HttpGetText(url, limits::kPages, control.cancelled);
    });
}

void DirectCallPage::callAnswered(const QString& reply) {
    LbSpeedButton4->setEnabled(true);
    if (!isCallNumber(reply)) {
        services_.messages->showMessage(this, callFailedMessage(reply));
        return;
    }
    onno->setText(QStringLiteral("0"));
    Label11->show();
    Timer11->start();
    VlistRecord record = pendingRecord_;
    record.snum = reply;
    try {
        services_.database->execute(vlistInsert(record));
    } catch (const DatabaseError& error) {
        services_.messages->inform(
            this, QStringLiteral("提示"), unrecordedTaskMessage(reply, error.reason()), MessageIcon::Warning);
    }
}

void DirectCallPage::Timer11Timer() {
    const CountdownTick tick = countdownTick(onno->text().toInt());
    onno->setText(QString::number(tick.onno));
    if (tick.label) {
        Label11->setText(*tick.label);
    } else {
        Label11->hide();
        Timer11->stop();
    }
}

} // namespace parlumo
