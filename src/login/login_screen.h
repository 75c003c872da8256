#pragma once

#include <QWidget>
#include <chrono>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace parlumo {

struct AccountFields;
struct Services;
class GETHTTPThread;
class PictureButton;

// The login screen, the program's main screen: its creation prepares the database files, its
// first show reads the settings and starts the update check, and it logs in by button (HTTP),
// by Enter in the password box (SOAP) or as guest. Closing it ends the program.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Services& services, QWidget* parent = nullptr);
    ~TForm1() override;

    void stopUpdateCheck();

    // How long the update check waits after the first show.
    std::chrono::milliseconds updateCheckDelay{5000};

public Q_SLOTS:
    void FormShow();
    void CheckBox2Click();
    void LbSpeedButton2Click();
    void pwdEnter();
    void LbSpeedButton1Click();
    // The balance refresh that the send-SMS screen offers.
    void Reshmoney();
    // A newly registered account's credentials go into the login boxes.
    void fillCredentials(const QString& u, const QString& p);

Q_SIGNALS:
    // The banner of the settings, read at the first show.
    void bannerRead(const QString& banner);
    // An HTTP login tells whether the account may schedule sends.
    void scheduleRightRead(bool canSchedule);
    // The message text saved at the last exit, restored by a login.
    void lastTextRestored(const QString& text);
    // The account state changed (a login or a balance refresh): the account panel shows it.
    void accountChanged(const AccountFields& account);
    // The login succeeded and the login screen is hidden for good; `typedIdentifier` is the
    // identifier box's text as the user left it.
    void loggedIn(const QString& typedIdentifier);
    // "注册账号": the registration dialog opens at `position` for the installation's agent code.
    void registrationRequested(const QPoint& position, const QString& agentCode);
    void closed();

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

    QLabel* bglogin;
    PictureButton* Image2;
    QLineEdit* uid;
    QLineEdit* pwd;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton1;
    QLineEdit* service_url;

    Services& services_;
    std::unique_ptr<GETHTTPThread> updateCheck_;
    QString databaseProblem_; // why the database cannot be used, found at start-up
    bool shown_ = false;
};

} // namespace parlumo
