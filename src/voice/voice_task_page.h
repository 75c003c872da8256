#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSoundEffect;

namespace parlumo {

struct AccountFields;
struct Services;
class ForbiddenWordCheck;
class NumberMemo;
class ServiceCall;

// The voice message task page of "语音服务": the numbers to call (counted in the screen's
// header field `hm`), the synthesis mode or a recording, the text to be spoken, the attendant
// numbers, and "发送任务", which hands the task to the service off the window's thread.
class VoiceTaskPage : public QWidget {
    Q_OBJECT
public:
    VoiceTaskPage(Services& services, QLineEdit* hm, QWidget* parent = nullptr);

public Q_SLOTS:
    void appendNumbers(const QStringList& numbers);
    void setSpokenText(const QString& text);
    void synthesisClick();
    void RadioButton3Click();
    void bt8Click();
    void sounbtClick();
    void LbSpeedButton2Click();

Q_SIGNALS:
    void addressBookRequested();
    void spreadsheetImportRequested(const QString& actionpg);
    void phrasesRequested();
    // An accepted task lowered the balance.
    void accountChanged(const AccountFields& account);

private:
    // What one send carries and records, copied from the controls when the checks have passed.
    struct Task {
        QString uid;
        QString pwd;
        QString endpoint;
        QString numbersText;
        QString vto;
        QString spoken;
        QString mode;
        QByteArray recording;
        QString svrno;
        QString count;
        QString storedText;
        QString fileName;
    };

    QWidget* buildNumbers();
    QWidget* buildMode();
    QWidget* buildText();
    QWidget* buildServiceNumber();
    void connectHandlers();
    void taskAnswered(const QString& reply);
    void taskFailed();
    void taskAccepted(const QString& reply);

    QPlainTextEdit* v_no;
    QLineEdit* hm;
    QLineEdit* inmob;
    QPushButton* LbSpeedButton3;
    QPushButton* LbSpeedButton4c;
    QPushButton* LbSpeedButton59;
    QPushButton* LbSpeedButton8;
    QPushButton* LbSpeedButton600;
    QPushButton* LbSpeedButton7;
    QPushButton* LbSpeedButton9;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QLineEdit* mode;
    QWidget* Panel3;
    QLineEdit* v_file;
    QPushButton* bt8;
    QPushButton* sounbt;
    QPlainTextEdit* v_txt;
    QLineEdit* zf;
    QPushButton* btfdy;
    QLineEdit* v_svrno;
    QPushButton* LbSpeedButton2;
    QProgressBar* sendProgress;

    Services& services_;
    NumberMemo* numbers_ = nullptr;
    ForbiddenWordCheck* forbiddenWords_ = nullptr;
    ServiceCall* call_ = nullptr;
    QSoundEffect* player_ = nullptr;
    Task task_;
};

} // namespace parlumo
