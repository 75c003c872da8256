#include "account/registration_dialog.h"

#include "account/weak_passwords.h"
#include "core/service_requests.h"
#include "core/services.h"
#include "service/query.h"
#include "service/replies.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/responsive_exchange.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace parlumo {

TForm11::TForm11(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm11"), QStringLiteral("注册账号"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto entry = [this](QFormLayout* form,
                        const QString& name,
                        const QString& label,
                        const QString& hint,
                        int limit,
                        bool secret = false) {
        auto* edit = named(new QLineEdit(this), name);
        edit->setMaxLength(limit);
        edit->setMinimumWidth(220);
        if (secret)
            edit->setEchoMode(QLineEdit::Password);
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        auto* note = new QLabel(hint, this);
        note->setStyleSheet(QStringLiteral("color:#c0392b;"));
        row->addWidget(note);
        form->addRow(label, row);
        return edit;
    };
    auto* basic = new QGroupBox(QStringLiteral("基本信息"), this);
    auto* basicForm = new QFormLayout(basic);
    auid = entry(
        basicForm, QStringLiteral("auid"), QStringLiteral("登陆账号："), QStringLiteral("* 英文或汉字"), 20);
    apwd = entry(basicForm,
                 QStringLiteral("apwd"),
                 QStringLiteral("登录密码："),
                 QStringLiteral("* 密码 A-Z 0-9"),
                 20,
                 true);
    arpwd = entry(basicForm,
                  QStringLiteral("arpwd"),
                  QStringLiteral("重输密码："),
                  QStringLiteral("* 重新输入密码"),
                  20,
                  true);
    auto* contact = new QGroupBox(QStringLiteral("联系信息"), this);
    auto* contactForm = new QFormLayout(contact);
    coname =
        entry(contactForm, QStringLiteral("coname"), QStringLiteral("公司名称："), QStringLiteral("* "), 100);
    linkman = entry(
        contactForm, QStringLiteral("linkman"), QStringLiteral("联系人："), QStringLiteral("* 姓名"), 50);
    mob = entry(
        contactForm, QStringLiteral("mob"), QStringLiteral("手机："), QStringLiteral("* 重要 通知密码"), 50);
    mob->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), mob));
    tel =
        entry(contactForm, QStringLiteral("tel"), QStringLiteral("电话："), QStringLiteral("* 请加区号"), 50);
    email = entry(contactForm, QStringLiteral("email"), QStringLiteral("邮箱："), QStringLiteral("* "), 200);
    addr = entry(contactForm, QStringLiteral("addr"), QStringLiteral("地址："), QStringLiteral("* "), 500);
    agentcode = named(new QLabel(this), QStringLiteral("agentcode"));
    agentcode->hide();

    LbSpeedButton1 =
        named(new QPushButton(QStringLiteral("&R注 册"), this), QStringLiteral("LbSpeedButton1"));
    LbSpeedButton2 = named(new QPushButton(QStringLiteral("&C关闭"), this), QStringLiteral("LbSpeedButton2"));
    for (QPushButton* b : {LbSpeedButton1, LbSpeedButton2})
        b->setAutoDefault(false);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm11::LbSpeedButton1Click);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(LbSpeedButton1);
    buttons->addWidget(LbSpeedButton2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(basic);
    column->addWidget(contact);
    column->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool TForm11::entriesAccepted() {
    MessageBoxes& messages = *services_.messages;
    auto refuse = [&messages, this](const QString& text, QLineEdit* focus) {
        messages.showMessage(this, text);
        focus->setFocus();
        return false;
    };
    const QString password = apwd->text().trimmed();
    if (auid->text().trimmed().isEmpty() || password.isEmpty())
        return refuse(QStringLiteral("账号和密码不能为空！"), auid);
    if (isWeakPassword(password))
        return refuse(QStringLiteral("密码太简单！建议字母+数字。"), apwd);
    if (password.size() < 6)
        return refuse(QStringLiteral("密码建议6-12位，请重新输入！"), apwd);
    if (password != arpwd->text().trimmed())
        return refuse(QStringLiteral("两次密码输入不一致，请重新输入！"), arpwd);
    if (linkman->text().trimmed().isEmpty())
        return refuse(QStringLiteral("联系人不能为空！"), linkman);
    if (mob->text().trimmed().size() < 11)
        return refuse(QStringLiteral("手机为空或格式不对！"), mob);
    return true;
}

void TForm11::openFor(const QPoint& position, const QString& agentCode) {
    move(position);
    agentcode->setText(agentCode);
    exec();
}

void TForm11::LbSpeedButton1Click() {
    if (!entriesAccepted())
        return;
    const QString u = auid->text().trimmed();
    const QString p = apwd->text().trimmed();
    const QString reply =
        fetchWhileResponsive(this, QueryUrl(services_.addresses.host, QStringLiteral("/webservice/public/softreg.asp"))
                             .add(QStringLiteral("uid"), u)
                             .add(QStringLiteral("pwd"), p)
                             .add(QStringLiteral("proid"), QStringLiteral("1"))
                             .add(QStringLiteral("mob"), mob->text().trimmed())
                             .add(QStringLiteral("coname"), coname->text().trimmed())
                             .add(QStringLiteral("linkman"), linkman->text().trimmed())
                             .add(QStringLiteral("tel"), tel->text().trimmed())
                             .add(QStringLiteral("email"), email->text().trimmed())
                             .add(QStringLiteral("agentcode"), agentcode->text().trimmed())
                             .add(QStringLiteral("add"), addr->text().trimmed() + QLatin1Char(' ')));
    MessageBoxes& messages = *services_.messages;
    const QString caption = QStringLiteral("登录提示");
    if (reply == codes::kSuccess) {
        messages.showMessage(this, QStringLiteral("恭喜！注册成功！"));
        Q_EMIT registered(u, p);
        accept();
    } else if (reply == codes::kLowBalance) {
        messages.inform(this, caption, QStringLiteral("账号已被注册，请换个账号试试！"));
        auid->setFocus();
    } else if (reply == codes::kForbiddenWords) {
        messages.inform(this, caption, QStringLiteral("密码太简单,数字+字母！"));
        auid->setFocus();
    } else if (reply == codes::kBadParameters) {
        messages.inform(this, caption, QStringLiteral("参数不全，请重新输入！"));
    }
}

} // namespace parlumo
