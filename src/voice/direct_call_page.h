#pragma once

#include "voice/vlist_record.h"

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace parlumo {

struct Services;
class ServiceCall;

// The call-back page of "语音服务": the caller's number and the other party's, a dial pad that
// writes into the box entered last, and "呼叫", which asks the service to ring both and connect
// them. An accepted call is recorded with the voice tasks and counted down while it is set up.
class DirectCallPage : public QWidget {
    Q_OBJECT
public:
    explicit DirectCallPage(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    void from_telEnter();
    void to_telEnter();
    void LbSpeedButton4Click();
    void Timer11Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildNumbers();
    QWidget* buildDialPad();
    QWidget* buildHelp();
    void dial(const QString& key);
    void callAnswered(const QString& reply);

    QLineEdit* from_tel;
    QLineEdit* to_tel;
    QLineEdit* ttmc;
    QPushButton* LbSpeedButton4;
    QLabel* Label11;
    QLineEdit* onno;
    QTimer* Timer11;
    QPlainTextEdit* Memo2;
    QProgressBar* callProgress;

    Services& services_;
    ServiceCall* call_ = nullptr;
    // The record of the call on its way, waiting for the task number.
    VlistRecord pendingRecord_;
};

} // namespace parlumo
