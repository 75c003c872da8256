#include "login/login_screen.h"

#include "core/account_state.h"
#include "core/service_requests.h"
#include "core/services.h"
#include "core/setting_keys.h"
#include "core/settings.h"
#include "core/update_check.h"
#include "data/conditions.h"
#include "data/database.h"
#include "data/database_startup.h"
#include "login/login_reply.h"
#include "service/replies.h"
#include "service/soap_client.h"
#include "text/gbk.h"
#include "text/split_fields.h"
#include "toolkit/message_box.h"
#include "toolkit/picture_button.h"
#include "toolkit/screen_setup.h"
#include "widgets/artwork.h"
#include "widgets/responsive_exchange.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace parlumo {

namespace {

constexpr QSize kLoginSize{520, 320};
const QString kLoginCaption = QStringLiteral("登录提示");

QString soapConnectionMessage() {
    return QStringLiteral("请检查您的电脑是否已连上Internet,\r\n  请稍侯重试!");
}

} // namespace

TForm1::TForm1(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm1"), QStringLiteral("Parlumo"));
    // Created first of all screens, so the database is ready before any other screen uses it.
    prepareDatabaseFiles(services_.programFolder);
    // Without a database or a spare copy the program starts on a fresh, empty database. One that
    // cannot be used is reported when the screen first shows; the program goes on without records.
    try {
        services_.database->createIfMissing();
        services_.database->verify();
    } catch (const DatabaseError& error) {
        databaseProblem_ = error.reason();
    }
    buildControls();
}

TForm1::~TForm1() {
    stopUpdateCheck();
}

void TForm1::buildControls() {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(artwork::applicationIcon());
    setFixedSize(kLoginSize);

    bglogin = named(new QLabel(this), QStringLiteral("bglogin"));
    bglogin->setGeometry(rect());
    bglogin->setScaledContents(true);
    bglogin->installEventFilter(this);

    Image2 = new PictureButton(QStringLiteral("Image2"), this);
    Image2->setGeometry(width() - 34, 6, 28, 28);
    Image2->setPixmap(artwork::frameGlyph('x', QSize(28, 28), devicePixelRatioF()));
    connect(Image2, &PictureButton::clicked, this, &QWidget::close);

    const int left = 262;
    auto caption = [this](const QString& text, int y) {
        auto* label = new QLabel(text, this);
        label->setGeometry(232, y, 60, 28);
        label->setStyleSheet(QStringLiteral("color:#334;"));
    };
    caption(QStringLiteral("账号"), 84);
    caption(QStringLiteral("密码"), 128);
    uid = named(new QLineEdit(this), QStringLiteral("uid"));
    uid->setMaxLength(20);
    uid->setGeometry(left + 10, 84, 210, 28);
    uid->installEventFilter(this);
    pwd = named(new QLineEdit(this), QStringLiteral("pwd"));
    pwd->setMaxLength(20);
    pwd->setEchoMode(QLineEdit::Password);
    // The password shows as "*" whatever the platform's own masking character is.
    pwd->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    pwd->setGeometry(left + 10, 128, 210, 28);
    pwd->installEventFilter(this);

    CheckBox1 = named(new QCheckBox(QStringLiteral("记住密码"), this), QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(left + 10, 168, 100, 24);
    CheckBox2 = named(new QCheckBox(QStringLiteral("来宾登录"), this), QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(left + 120, 168, 100, 24);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm1::CheckBox2Click);

    LbSpeedButton2 = named(new QPushButton(QStringLiteral(" 登 录"), this), QStringLiteral("LbSpeedButton2"));
    LbSpeedButton2->setGeometry(left + 10, 212, 100, 34);
    LbSpeedButton2->setDefault(false);
    LbSpeedButton2->setAutoDefault(false);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &TForm1::LbSpeedButton2Click);
    LbSpeedButton1 =
        named(new QPushButton(QStringLiteral(" 注册账号"), this), QStringLiteral("LbSpeedButton1"));
    LbSpeedButton1->setGeometry(left + 120, 212, 100, 34);
    LbSpeedButton1->setAutoDefault(false);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm1::LbSpeedButton1Click);
    setStyleSheet(QStringLiteral(
        "QPushButton{background:#1f6fd1;color:white;border:none;border-radius:4px;font-weight:bold;}"
        "QPushButton:hover{background:#2b7de0;} QPushButton:pressed{background:#154e96;}"
        "QLineEdit{border:1px solid #b8c4d6;border-radius:3px;padding:2px 6px;background:white;}"
        "QLineEdit:focus{border-color:#1f6fd1;} QLineEdit:disabled{background:#eef1f5;}"
        "QCheckBox{color:#334;}"));

    service_url =
        named(new QLineEdit(services_.account->get().service_url, this), QStringLiteral("service_url"));
    service_url->hide();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!databaseProblem_.isEmpty())
        services_.messages->inform(this,
                                   QStringLiteral("提示"),
                                   databaseProblem_ + QStringLiteral("\r\n发送记录、名片夹和短语将无法保存。"),
                                   MessageIcon::Warning);
    Services& services = services_;
    updateCheck_ =
        std::make_unique<GETHTTPThread>(services.addresses.update + QStringLiteral("/download/bexol.txt"),
                                        services.programFolder,
                                        *services.shell,
                                        updateCheckDelay);
    updateCheck_->start();

    const Settings& settings = *services.settings;
    const QString banner =
        settings.ReadSetting(QStringLiteral("config"), QStringLiteral("cop"), kDefaultBanner);
    Q_EMIT bannerRead(banner);
    services.agentcode =
        settings.ReadSetting(QStringLiteral("config"), QStringLiteral("agentcode"), QStringLiteral("OVARN"));
    const QString reg =
        settings.ReadSetting(QStringLiteral("config"), QStringLiteral("reg"), QStringLiteral("no"));
    uid->setText(settings.ReadSetting(QStringLiteral("login"), QStringLiteral("uid")));
    pwd->setText(settings.ReadSetting(QStringLiteral("login"), QStringLiteral("pwd")));
    if (!pwd->text().isEmpty())
        CheckBox1->setChecked(true);
    if (reg.trimmed() == QLatin1String("yes")) {
        LbSpeedButton1->hide();
        LbSpeedButton2->setGeometry(LbSpeedButton2->geometry().adjusted(10, 0, 60, 0));
    }
    loadBackground(
        settings.ReadSetting(QStringLiteral("ui"), QStringLiteral("loginbg"), QStringLiteral("loginbg.bmp")));
    (uid->text().isEmpty() ? uid : pwd)->setFocus();
}

void TForm1::loadBackground(const QString& name) {
    const QString path = QFileInfo(name).isAbsolute() ? name : QDir(services_.programFolder).filePath(name);
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (!picture.isNull()) {
        bglogin->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    bglogin->setPixmap(artwork::loginBackground(size(), devicePixelRatioF()));
    services_.messages->show(
        this,
        MessageRequest{kApplicationTitle,
                       QStringLiteral("无法打开图片文件“%1”：%2").arg(name, reader.errorString()),
                       MessageIcon::Critical,
                       {MessageButton::Ok}});
}

void TForm1::CheckBox2Click() {
    const bool guest = CheckBox2->isChecked();
    uid->setText(guest ? kGuestAccount : QString());
    pwd->setText(guest ? kGuestPassword : QString());
    uid->setEnabled(!guest);
    pwd->setEnabled(!guest);
}

bool TForm1::guestLogin(bool httpWay) {
    if (!CheckBox2->isChecked())
        return false;
    applyGuestLogin(*services_.account, httpWay);
    enterMainWindow();
    services_.messages->inform(this,
                               QStringLiteral("提示"),
                               QStringLiteral("您使用的是来宾账号.此账号仅用于演示,大部分功能将不能使用！"));
    return true;
}

bool TForm1::credentials(QString& u, QString& p) {
    u = uid->text().trimmed();
    p = pwd->text().trimmed();
    if (!u.isEmpty() && !p.isEmpty())
        return true;
    loginMessage(QStringLiteral("用户名和密码不能为空！"));
    uid->setFocus();
    return false;
}

void TForm1::loginMessage(const QString& text) {
    services_.messages->inform(this, kLoginCaption, text);
}

// A settings file that cannot be written does not stop a login the service accepted: the user is
// told which file and why, and goes on.
void TForm1::writeLoginSettings(const QString& u, const QString& p) {
    const Settings& settings = *services_.settings;
    try {
        settings.WriteSetting(QStringLiteral("login"), QStringLiteral("uid"), u);
        settings.WriteSetting(
            QStringLiteral("login"), QStringLiteral("pwd"), CheckBox1->isChecked() ? p : QString());
    } catch (const Error& error) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("登录信息未能保存。") + error.reason(), MessageIcon::Warning);
    }
}

QString TForm1::fetchLoginRecord(const QString& u, const QString& p) {
    return fetchWhileResponsive(this, httpLoginUrl(services_.addresses.host, u, p));
}

void TForm1::LbSpeedButton2Click() {
    if (guestLogin(true))
        return;
    QString u, p;
    if (!credentials(u, p))
        return;
    try {
        AccountState& account = *services_.account;
        const QString refusal = readHttpLogin(fetchLoginRecord(u, p), account, u, p);
        if (!refusal.isNull()) {
            loginMessage(refusal);
            return;
        }
        const AccountFields state = account.get();
        service_url->setText(state.service_url);
        Q_EMIT scheduleRightRead(state.CanSchedule);
        writeLoginSettings(u, p);
        Q_EMIT lastTextRestored(restoredLastText(
            services_.settings->ReadSetting(QStringLiteral("config"), QStringLiteral("lasttxt"))));
        enterMainWindow();
    } catch (const Error&) {
        loginMessage(httpConnectionMessage());
    }
}

void TForm1::pwdEnter() {
    if (guestLogin(false))
        return;
    QString u, p;
    if (!credentials(u, p))
        return;
    try {
        const QString endpoint = services_.account->get().service_url;
        const QString reply = exchangeWhileResponsive(this, [endpoint, u, p](const SoapCallControl& control) {
            return soapClientFor(endpoint, control).GetUserInfo(u, p);
        });
        const QStringList fields = splitRecord(fromGbk(toGbk(reply)), QLatin1Char('/'));
        const QString code = fieldAt(fields, 0);
        if (code != codes::kSuccess) {
            const QString refusal = soapLoginRefusal(code);
            if (!refusal.isEmpty())
                loginMessage(refusal);
            return;
        }
        writeLoginSettings(u, p);
        Q_EMIT lastTextRestored(
            services_.settings->ReadSetting(QStringLiteral("config"), QStringLiteral("lasttxt")));
        applySoapLogin(fields, *services_.account, u, p);
        enterMainWindow();
    } catch (const Error&) {
        loginMessage(soapConnectionMessage());
    }
}

void TForm1::enterMainWindow() {
    hide();
    Q_EMIT accountChanged(services_.account->get());
    Q_EMIT loggedIn(uid->text());
}

void TForm1::Reshmoney() {
    const QString u = uid->text().trimmed();
    const QStringList fields = splitRecord(fetchLoginRecord(u, pwd->text().trimmed()), QLatin1Char('|'));
    AccountState& account = *services_.account;
    try {
        if (fieldAt(fields, 0) != codes::kSuccess) {
            services_.messages->inform(
                this, QStringLiteral("提示"), QStringLiteral("刷新余额失败，请退出，重新登录！"));
            return;
        }
        applyBalanceRefresh(fields, account, u);
    } catch (const FieldError&) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("无法连接服务器，余额未能刷新，请稍后重试！"));
    }
    service_url->setText(account.get().service_url);
    Q_EMIT accountChanged(account.get());
}

void TForm1::LbSpeedButton1Click() {
    Q_EMIT registrationRequested(pos() + QPoint(250, -100), services_.agentcode);
}

void TForm1::fillCredentials(const QString& u, const QString& p) {
    uid->setText(u);
    pwd->setText(p);
}

void TForm1::stopUpdateCheck() {
    if (updateCheck_)
        updateCheck_->stop();
}

void TForm1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
    QCoreApplication::quit();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bglogin && event->type() == QEvent::MouseButtonPress) {
        if (QWindow* window = windowHandle())
            window->startSystemMove();
        return true;
    }
    if ((watched == uid || watched == pwd) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == uid)
                pwd->setFocus();
            else
                pwdEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace parlumo
