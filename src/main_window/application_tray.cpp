#include "main_window/application_tray.h"

#include "core/services.h"
#include "core/shell_services.h"
#include "text/gbk.h"
#include "toolkit/screen_setup.h"
#include "widgets/artwork.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace parlumo {

ApplicationTray::ApplicationTray(Services& services, QWidget* loginWindow, QWidget* mainWindow)
    : QObject(loginWindow), services_(services), loginWindow_(loginWindow), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("ApplicationTray"));
    auto* PopupMenu1 = named(new QMenu(loginWindow), QStringLiteral("PopupMenu1"));
    named(PopupMenu1->addAction(QStringLiteral("显示/隐藏(&G)"), this, &ApplicationTray::toggleApplication),
          QStringLiteral("N1"));
    named(PopupMenu1->addAction(QStringLiteral("检查更新"),
                                this,
                                [this] { LaunchUpdater(services_.programFolder, *services_.shell); }),
          QStringLiteral("N2"));
    PopupMenu1->addSeparator();
    named(PopupMenu1->addAction(QStringLiteral("退出(&X)"), loginWindow, &QWidget::close),
          QStringLiteral("N3"));
    TrayIcon1 =
        named(new QSystemTrayIcon(artwork::applicationIcon(), loginWindow), QStringLiteral("TrayIcon1"));
    TrayIcon1->setToolTip(QStringLiteral("短信平台"));
    TrayIcon1->setContextMenu(PopupMenu1);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            toggleApplication();
    });
    TrayIcon1->show();
}

void ApplicationTray::setBanner(const QString& banner) {
    if (toGbk(banner).size() < 64)
        TrayIcon1->setToolTip(banner);
}

void ApplicationTray::setLoggedIn() {
    loggedIn_ = true;
}

QWidget* ApplicationTray::applicationWindow() const {
    return loggedIn_ ? mainWindow_ : loginWindow_;
}

void ApplicationTray::toggleApplication() {
    if (hiddenToTray_ || applicationWindow()->isMinimized())
        restoreApplication();
    else
        minimiseApplication();
}

void ApplicationTray::minimiseApplication() {
    QWidget* window = applicationWindow();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        // The window leaves the taskbar and comes back from the icon.
        hiddenToTray_ = true;
        window->hide();
    } else {
        window->showMinimized();
    }
}

void ApplicationTray::restoreApplication() {
    QWidget* window = applicationWindow();
    hiddenToTray_ = false;
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void ApplicationTray::hideIcon() {
    TrayIcon1->hide();
}

} // namespace parlumo
