#include "main_window/main_window.h"

#include "core/services.h"
#include "core/settings.h"
#include "text/error.h"
#include "toolkit/message_box.h"
#include "toolkit/picture_button.h"
#include "toolkit/screen_setup.h"
#include "toolkit/shell.h"
#include "widgets/artwork.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWindow>

namespace parlumo {

namespace {

constexpr int kHeaderHeight = 56;
constexpr int kNavigationTop = kHeaderHeight;
constexpr int kNavigationHeight = 86;
constexpr int kTileSize = 46;
constexpr int kButtonPitch = 84;
constexpr int kFirstButtonX = 18;
constexpr int kEdge = 4;
const QSize kFreeSize{800, 600};

} // namespace

TForm2::TForm2(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm2"), QStringLiteral("主界面"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(artwork::applicationIcon());
    setMinimumSize(640, 420);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xf3, 0xf6, 0xfa));
    setPalette(palette);
    buildHeader();
    buildNavigation();
    Panel1 = named(new QWidget(this), QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    buildFrame();
    resize(kFreeSize);
}

void TForm2::buildHeader() {
    auto picture = [this](const QString& name) {
        auto* p = new PictureButton(name, this);
        p->setCursor(Qt::ArrowCursor);
        p->installEventFilter(this);
        return p;
    };
    Image4 = picture(QStringLiteral("Image4"));
    Image4->setPixmap(artwork::applicationIcon().pixmap(32, 32));
    Image4->setAlignment(Qt::AlignCenter);
    Image3 = picture(QStringLiteral("Image3"));
    Image11 = picture(QStringLiteral("Image11"));
    for (PictureButton* band : {Image4, Image3, Image11})
        band->setStyleSheet(QStringLiteral("background:#1f6fd1;"));
    softname = named(new QLabel(this), QStringLiteral("softname"));
    softname->setStyleSheet(
        QStringLiteral("background:#1f6fd1;color:white;font-size:15px;font-weight:bold;"));
    softname->installEventFilter(this);

    auto glyph = [this](const QString& name, char shape) {
        auto* b = new PictureButton(name, this);
        b->setPixmap(artwork::frameGlyph(shape, QSize(28, 28), devicePixelRatioF()));
        b->setStyleSheet(QStringLiteral("background:#1f6fd1;"));
        return b;
    };
    Image9 = glyph(QStringLiteral("Image9"), '-');
    Image10 = glyph(QStringLiteral("Image10"), 'o');
    Image7 = glyph(QStringLiteral("Image7"), 'x');
    connect(Image9, &PictureButton::clicked, this, &TForm2::minimiseRequested);
    connect(Image10, &PictureButton::clicked, this, &TForm2::toggleSize);
    connect(Image7, &PictureButton::clicked, this, &TForm2::exitProgram);
    for (PictureButton* p : {Image4, Image3, Image11})
        connect(p, &PictureButton::doubleClicked, this, &TForm2::toggleSize);
}

void TForm2::buildNavigation() {
    const struct {
        const char* name;
        const char* caption;
    } map[] = {
        {"Image30", "发送短信"},
        {"Image5", "彩信"},
        {"Image29", "传真"},
        {"Image59", "语音服务"},
        {"Image28", "名片夹"},
        {"Image27", "发送记录"},
        {"Image26", "短语管理"},
        {"Image25", "接收回复短信"},
        {"Image24", "系统维护"},
    };
    const qreal dpr = devicePixelRatioF();
    for (int i = 0; i < 9; ++i) {
        auto* b = new PictureButton(QString::fromLatin1(map[i].name), this);
        b->setPixmap(artwork::navigationTile(i, QSize(kTileSize, kTileSize), dpr));
        b->setAlignment(Qt::AlignCenter);
        b->setToolTip(QString::fromUtf8(map[i].caption));
        navigation_.append(Navigation{b, nullptr});
        auto* caption = new QLabel(QString::fromUtf8(map[i].caption), this);
        caption->setAlignment(Qt::AlignCenter);
        caption->setStyleSheet(QStringLiteral("color:#2a3442;"));
        navigationCaptions_.append(caption);
        connect(b, &PictureButton::clicked, this, [this, i] {
            if (!navigation_[i].screen)
                return;
            Q_EMIT navigationClicked(navigation_[i].screen);
            ShowInMainWindow(navigation_[i].screen, navigation_[i].button);
        });
    }
    Image22 = new PictureButton(QStringLiteral("Image22"), this);
    Image22->setPixmap(artwork::navigationTile(9, QSize(kTileSize, kTileSize), dpr));
    Image22->setAlignment(Qt::AlignCenter);
    Image22->setToolTip(QStringLiteral("退出"));
    auto* leave = new QLabel(QStringLiteral("退出"), this);
    leave->setAlignment(Qt::AlignCenter);
    navigationCaptions_.append(leave);
    connect(Image22, &PictureButton::clicked, this, &TForm2::exitProgram);

    Image1 = new PictureButton(QStringLiteral("Image1"), this);
    Image1->setCursor(Qt::ArrowCursor);
    Image1->setStyleSheet(QStringLiteral("background:#1f6fd1;border-radius:2px;"));
    Image1->setGeometry(kFirstButtonX, kNavigationTop + kNavigationHeight - 6, kButtonPitch - 12, 4);

    bt_chat = named(new QPushButton(QStringLiteral("在线客服"), this), QStringLiteral("bt_chat"));
    bt_chat->setAutoDefault(false);
    bt_chat->hide();
    connect(bt_chat, &QPushButton::clicked, this, &TForm2::bt_chatClick);
}

void TForm2::buildFrame() {
    const struct {
        PictureButton** member;
        const char* name;
        Qt::Edges edges;
        Qt::CursorShape cursor;
    } frame[] = {
        {&Image6, "Image6", Qt::LeftEdge, Qt::SizeHorCursor},
        {&Image14, "Image14", Qt::RightEdge, Qt::SizeHorCursor},
        {&Image8, "Image8", Qt::BottomEdge, Qt::SizeVerCursor},
        {&Image13, "Image13", Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
    };
    for (const auto& f : frame) {
        auto* edge = new PictureButton(QString::fromLatin1(f.name), this);
        edge->setCursor(f.cursor);
        edge->setStyleSheet(QStringLiteral("background:#c9d6e8;"));
        const Qt::Edges edges = f.edges;
        connect(edge, &PictureButton::pressed, this, [this, edges, edge] {
            if (edge == Image13)
                fillsScreen_ = false;
            if (QWindow* window = windowHandle())
                window->startSystemResize(edges);
        });
        *f.member = edge;
    }
}

void TForm2::layoutChildren() {
    const int w = width();
    const int h = height();
    Image4->setGeometry(0, 0, 48, kHeaderHeight);
    softname->setGeometry(48, 0, qMax(0, w - 48 - 200 - 3 * 32), kHeaderHeight);
    Image3->setGeometry(softname->geometry().right() + 1, 0, 200, kHeaderHeight);
    Image11->setGeometry(
        Image3->geometry().right() + 1, 0, qMax(0, w - Image3->geometry().right() - 1), kHeaderHeight);
    Image7->setGeometry(w - 36, 10, 28, 28);
    Image10->setGeometry(w - 68, 10, 28, 28);
    Image9->setGeometry(w - 100, 10, 28, 28);
    for (PictureButton* b : {Image9, Image10, Image7})
        b->raise();

    for (qsizetype i = 0; i <= navigation_.size(); ++i) {
        PictureButton* b = i < navigation_.size() ? navigation_[i].button : Image22;
        const int x = kFirstButtonX + static_cast<int>(i) * kButtonPitch;
        b->setGeometry(x, kNavigationTop + 8, kButtonPitch - 12, kTileSize + 4);
        navigationCaptions_[i]->setGeometry(x - 6, kNavigationTop + kTileSize + 14, kButtonPitch, 18);
    }
    Image1->move(Image1->x(), kNavigationTop + kNavigationHeight - 6);
    bt_chat->setGeometry(w - 110, kNavigationTop + 24, 92, 30);

    const int top = kNavigationTop + kNavigationHeight;
    Panel1->setGeometry(kEdge, top, qMax(0, w - 2 * kEdge), qMax(0, h - top - kEdge));
    for (QObject* child : Panel1->children())
        if (auto* screen = qobject_cast<QWidget*>(child))
            screen->setGeometry(Panel1->rect());
    Image6->setGeometry(0, top, kEdge, h - top);
    Image14->setGeometry(w - kEdge, top, kEdge, h - top - 12);
    Image8->setGeometry(kEdge, h - kEdge, w - 2 * kEdge - 12, kEdge);
    Image13->setGeometry(w - 12, h - 12, 12, 12);
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void TForm2::setBanner(const QString& banner) {
    softname->setText(QStringLiteral("  ") + banner);
}

void TForm2::setButtonScreen(const QString& buttonName, QWidget* screen) {
    for (Navigation& n : navigation_)
        if (n.button->objectName() == buttonName)
            n.screen = screen;
}

void TForm2::setMessageTextSource(std::function<QString()> messageText) {
    messageText_ = std::move(messageText);
}

void TForm2::setSendingSource(std::function<bool()> sending) {
    sending_ = std::move(sending);
}

void TForm2::showAfterLogin(const QString& typedIdentifier) {
    chatIdentifier_ = typedIdentifier;
    const QString agent = services_.agentcode.toLower();
    bt_chat->setVisible(agent == QLatin1String("ovarn") || agent == QLatin1String("tremd"));
    fillScreen();
    show();
    if (Image1->x() < 60 && navigation_[0].screen)
        ShowInMainWindow(navigation_[0].screen, nullptr);
}

void TForm2::ShowInMainWindow(QWidget* screen, QWidget* button) {
    if (button)
        Image1->move(button->x(), Image1->y());
    screen->setParent(Panel1);
    screen->setWindowFlags(Qt::Widget);
    // Screens lie over each other: each paints its whole area so the one below never shows through.
    screen->setAutoFillBackground(true);
    screen->setGeometry(Panel1->rect());
    screen->raise();
    screen->show();
}

void TForm2::showScreen(QWidget* screen) {
    QWidget* button = nullptr;
    for (const Navigation& n : navigation_)
        if (n.screen == screen)
            button = n.button;
    ShowInMainWindow(screen, button);
}

void TForm2::fillScreen() {
    fillsScreen_ = true;
    if (const QScreen* s = screen())
        setGeometry(s->availableGeometry());
}

void TForm2::toggleSize() {
    if (!fillsScreen_) {
        fillScreen();
        return;
    }
    fillsScreen_ = false;
    resize(kFreeSize);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TForm2::exitProgram() {
    Image1->move(Image22->x(), Image1->y());
    try {
        services_.settings->WriteSetting(QStringLiteral("config"),
                                         QStringLiteral("lasttxt"),
                                         messageText_ ? messageText_().trimmed() : QString());
    } catch (const Error& error) {
        services_.messages->inform(this, kApplicationTitle, error.reason(), MessageIcon::Critical);
        return;
    }
    QString question = QStringLiteral("真的要退出吗？");
    if (sending_ && sending_())
        question += QStringLiteral("\r\n短信正在发送中：退出前将等待正在提交的一批完成并记录。");
    if (services_.messages->ask(this,
                                QStringLiteral("确认"),
                                question,
                                MessageIcon::Question,
                                {MessageButton::Ok, MessageButton::Cancel}) == MessageButton::Ok)
        close();
}

void TForm2::bt_chatClick() {
    const Services& services = services_;
    const QString parameters = QStringLiteral("咨询客服 ' ' ") + services.addresses.update +
                               QStringLiteral("/kf.asp?agentcode=") + services.agentcode +
                               QStringLiteral("&uid=") + chatIdentifier_ + QStringLiteral(" 558 455 0");
    services.shell->openProgram(QDir(services.programFolder).filePath(QStringLiteral("webs.exe")),
                                parameters,
                                services.programFolder);
}

void TForm2::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

void TForm2::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() &&
        QSystemTrayIcon::isSystemTrayAvailable())
        Q_EMIT minimised();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    const bool dragArea = watched == softname || watched == Image3 || watched == Image11;
    if (dragArea && event->type() == QEvent::MouseButtonPress) {
        if (QWindow* window = windowHandle())
            window->startSystemMove();
        return false;
    }
    if (watched == softname && event->type() == QEvent::MouseButtonDblClick) {
        toggleSize();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace parlumo
