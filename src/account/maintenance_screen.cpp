#include "account/maintenance_screen.h"

#include "account/weak_passwords.h"
#include "core/account_state.h"
#include "core/service_requests.h"
#include "core/services.h"
#include "core/shell_services.h"
#include "core/version.h"
#include "data/database.h"
#include "data/database_copy.h"
#include "service/replies.h"
#include "text/excerpt.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/responsive_exchange.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const QString kChangePassword = QStringLiteral("修改密码");
const QString kBalance = QStringLiteral("余额查询");
const QString kCopyDatabase = QStringLiteral("备份数据");
const QString kUpgrade = QStringLiteral("在线升级");

} // namespace

TForm7::TForm7(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm7"), QStringLiteral("系统维护"));
    auto* groups = new QGroupBox(QStringLiteral("组别"), this);
    auto* groupsColumn = new QVBoxLayout(groups);
    tv1 = named(new QTreeWidget(groups), QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    tv1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* root = new QTreeWidgetItem(tv1, {QStringLiteral("系统维护")});
    for (const QString& entry : {kChangePassword, kBalance, kCopyDatabase, kUpgrade})
        new QTreeWidgetItem(root, {entry});
    connect(tv1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        tv1Change(current);
    });
    groupsColumn->addWidget(tv1);

    Label2 =
        named(new QLabel(QStringLiteral("当前版本号：") + kProgramVersion, this), QStringLiteral("Label2"));
    loginuser = named(new QLabel(QStringLiteral("-"), this), QStringLiteral("loginuser"));
    auto* account = new QHBoxLayout;
    account->addWidget(new QLabel(QStringLiteral("账号："), this));
    account->addWidget(loginuser);
    account->addStretch();

    auto* password = new QGroupBox(kChangePassword, this);
    auto* form = new QGridLayout(password);
    auto secret = [password](const QString& name) {
        auto* edit = named(new QLineEdit(password), name);
        edit->setMaxLength(50);
        edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    oldpwd = secret(QStringLiteral("oldpwd"));
    newpwd = secret(QStringLiteral("newpwd"));
    form->addWidget(new QLabel(QStringLiteral("老密码"), password), 0, 0);
    form->addWidget(oldpwd, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("新密码"), password), 1, 0);
    form->addWidget(newpwd, 1, 1);
    Label16 =
        named(new QLabel(QStringLiteral("温馨提示：建议6-12位密码"), password), QStringLiteral("Label16"));
    form->addWidget(Label16, 2, 1);
    LbSpeedButton1 = named(new QPushButton(kChangePassword, password), QStringLiteral("LbSpeedButton1"));
    LbSpeedButton1->setAutoDefault(false);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm7::LbSpeedButton1Click);
    form->addWidget(LbSpeedButton1, 3, 1, Qt::AlignLeft);

    auto* details = new QVBoxLayout;
    details->addWidget(Label2);
    details->addLayout(account);
    details->addWidget(password);
    details->addStretch();
    auto* row = new QHBoxLayout(this);
    row->addWidget(groups, 1);
    row->addLayout(details, 2);
}

void TForm7::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm7::FormShow() {
    tv1->expandAll();
    loginuser->setText(services_.account->get().uid.trimmed());
}

void TForm7::tv1Change(QTreeWidgetItem* current) {
    if (!current)
        return;
    // An unreachable service reads as an empty reply here, so the balance message shows an empty
    // balance rather than an error.
    const QString entry = current->text(0);
    if (entry == kBalance)
        showBalance();
    else if (entry == kUpgrade)
        LaunchUpdater(services_.programFolder, *services_.shell);
    else if (entry == kCopyDatabase)
        copyDatabaseToChosenFile();
}

void TForm7::showBalance() {
    const QString reply =
        fetchWhileResponsive(this, accountQuery(services_, QStringLiteral("/webservice/public/remoney.asp"))
                             .add(QStringLiteral("proid"), QStringLiteral("1")));
    services_.messages->showMessage(this, QStringLiteral("您的余额是:") + excerpt(reply) + QStringLiteral(" 元"));
}

void TForm7::copyDatabaseToChosenFile() {
    const QString target = services_.fileDialogs->saveFile(this, FileDialogRequest{});
    if (target.isEmpty())
        return;
    MessageBoxes& messages = *services_.messages;
    try {
        copyDatabase(services_.database->filePath(), target);
        messages.showMessage(this, QStringLiteral("已成功备份至：") + target);
    } catch (const Error&) {
        messages.showMessage(this, QStringLiteral("备份失败,请重来!"));
    }
}

void TForm7::LbSpeedButton1Click() {
    MessageBoxes& messages = *services_.messages;
    const QString caption = QStringLiteral("提示");
    const QString next = newpwd->text().trimmed();
    if (isWeakPassword(next)) {
        messages.showMessage(this, QStringLiteral("密码太简单！建议字母+数字。"));
        newpwd->setFocus();
        return;
    }
    const AccountFields account = services_.account->get();
    if (oldpwd->text().trimmed() != account.pwd.trimmed() || next.isEmpty()) {
        messages.inform(
            this, caption, QStringLiteral("密码更改不成功！原因是：老密码不正确 或 新密码为空。!"));
        return;
    }
    const QString reply =
        fetchWhileResponsive(this, accountQuery(services_, QStringLiteral("/webservice/public/editpwd.asp"))
                             .add(QStringLiteral("newpwd"), next));
    // An unreachable service gives an empty reply, which is "其它参数错误！" like any other refusal.
    messages.inform(this,
                    caption,
                    reply == codes::kSuccess ? QStringLiteral("密码更改成功,请重新登录 !")
                                             : QStringLiteral("其它参数错误！"));
}

} // namespace parlumo
