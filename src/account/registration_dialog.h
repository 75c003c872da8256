#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlumo {

struct Services;

// "注册账号": opens an account with the service from the login screen. The entries are checked
// here, sent in one request, and on success the login boxes receive the new credentials.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Opens the dialog modally at `position` for the installation's agent code.
    void openFor(const QPoint& position, const QString& agentCode);
    void LbSpeedButton1Click();

Q_SIGNALS:
    // The service opened the account: its identifier and password, for the login boxes.
    void registered(const QString& uid, const QString& pwd);

private:
    QLineEdit* auid;
    QLineEdit* apwd;
    QLineEdit* arpwd;
    QLineEdit* coname;
    QLineEdit* linkman;
    QLineEdit* mob;
    QLineEdit* tel;
    QLineEdit* email;
    QLineEdit* addr;
    QLabel* agentcode;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton2;

    // The first local check that fails shows its message and moves the focus; false then.
    bool entriesAccepted();

    Services& services_;
};

} // namespace parlumo
