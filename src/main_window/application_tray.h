#pragma once

#include <QObject>

class QSystemTrayIcon;
class QWidget;

namespace parlumo {

struct Services;

// The program's icon in the notification area with its menu. It minimises and restores the
// application window: the login screen until a login, the main window after it.
class ApplicationTray : public QObject {
    Q_OBJECT
public:
    // The icon and its menu are children of the login screen, whose controls they are.
    ApplicationTray(Services& services, QWidget* loginWindow, QWidget* mainWindow);

public Q_SLOTS:
    // The banner becomes the hint when it is shorter than 64 GBK bytes.
    void setBanner(const QString& banner);
    void setLoggedIn();
    // Minimises the application (to the tray, leaving the taskbar, where the desktop has one)
    // or restores it.
    void toggleApplication();
    void minimiseApplication();
    void restoreApplication();
    void hideIcon();

private:
    QWidget* applicationWindow() const;

    Services& services_;
    QWidget* loginWindow_;
    QWidget* mainWindow_;
    QSystemTrayIcon* TrayIcon1;
    bool loggedIn_ = false;
    bool hiddenToTray_ = false;
};

} // namespace parlumo
