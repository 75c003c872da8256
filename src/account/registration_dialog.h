#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlumo {

struct Screens;

// "注册账号": opens an account with the service from the login screen. The entries are checked
// here, sent in one request, and on success the login boxes receive the new credentials.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(Screens& screens, QWidget* parent = nullptr);

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

public Q_SLOTS:
    void LbSpeedButton1Click();

private:
    // The first local check that fails shows its message and moves the focus; false then.
    bool entriesAccepted();

    Screens& screens_;
};

} // namespace parlumo
