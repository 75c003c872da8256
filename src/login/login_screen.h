#pragma once

#include <QWidget>
#include <chrono>
#include <memory>

class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QLabel;
class QSystemTrayIcon;
class QAction;

namespace parlumo {

struct Screens;
class GETHTTPThread;
class PictureButton;

// The login screen, the program's main screen: its creation prepares the database files, its
// first show reads the settings and starts the update check, and it logs in by button (HTTP),
// by Enter in the password box (SOAP) or as guest. It owns the tray icon.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Screens& screens, QWidget* parent = nullptr);
    ~TForm1() override;

    // The balance refresh that the send-SMS screen offers.
    void Reshmoney();
    void stopUpdateCheck();
    // Minimises the application (to the tray, leaving the taskbar, where the desktop has one)
    // or restores it.
    void toggleApplication();
    void minimiseApplication();
    void restoreApplication();

    QLabel* bglogin;
    PictureButton* Image2;
    QLineEdit* uid;
    QLineEdit* pwd;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton1;
    QLineEdit* service_url;
    QSystemTrayIcon* TrayIcon1;
    QMenu* PopupMenu1;
    QAction* N1; // 显示/隐藏(&G)
    QAction* N2; // 检查更新
    QAction* N3; // 退出(&X)

    // How long the update check waits after the first show.
    std::chrono::milliseconds updateCheckDelay{5000};

public Q_SLOTS:
    void FormShow();
    void CheckBox2Click();
    void LbSpeedButton2Click();
    void pwdEnter();
    void LbSpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void loadBackground(const QString& name);
    bool guestLogin(bool httpWay);
    bool credentials(QString& u, QString& p);
    void writeLoginSettings(const QString& u, const QString& p);
    // The login page's reply for the identifier and password: one "|" record.
    QString fetchLoginRecord(const QString& u, const QString& p);
    void enterMainWindow();
    void loginMessage(const QString& text);
    QWidget* applicationWindow();

    Screens& screens_;
    std::unique_ptr<GETHTTPThread> updateCheck_;
    bool shown_ = false;
    bool loggedIn_ = false;
    bool hiddenToTray_ = false;
};

} // namespace parlumo
