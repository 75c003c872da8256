#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <chrono>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace parlumo {

struct Screens;
struct AccountFields;
class NumberMemo;
class SendsmsThread;
class load_http_new_Thread;

// "发送短信": the message text with its counts, the recipients' numbers, the account panel, the
// news area and the progress panel of the send job.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(Screens& screens, QWidget* parent = nullptr);

    // Writes the account panel from the account state.
    void showAccount(const AccountFields& account);
    // Shows or hides the schedule controls; hidden, "插入短语" moves to the left edge.
    void setScheduleVisible(bool visible);
    // Cancels and joins the send job and the news fetches (the program is closing).
    void stopWorkers();

    NumberMemo* numbers() const { return numbers_; }
    // The pause after each posted batch; the program always waits one second.
    std::chrono::milliseconds batchPause{1000};
    std::chrono::milliseconds newsDelay{1000};

    QPlainTextEdit* txt;
    QLineEdit* zf;
    QLabel* maxsmstxt;
    QLabel* Label15;
    QLineEdit* sendno;
    QPlainTextEdit* mob;
    QLineEdit* hm;
    QLineEdit* inmob;
    QGroupBox* GroupBox2;
    QLabel* uid;
    QLabel* money;
    QLabel* dj;
    QLabel* fdj;
    QLabel* vdj;
    QLabel* cdj;
    QLabel* Label26;
    QCheckBox* chk1;
    QDateEdit* t_date;
    QComboBox* t_hh;
    QComboBox* t_mm;
    QLabel* Label19;
    QLabel* Label22;
    QPushButton* btfdy;
    QLabel* StaticText1;
    QLabel* Label14;
    QLabel* Label16;
    QPlainTextEdit* info;
    QWidget* Panel2;
    QPlainTextEdit* sendlog;
    QProgressBar* progress;
    QPushButton* LbSpeedButton4;
    QPushButton* btsend;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton3;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton8;
    QPushButton* LbSpeedButton6;
    QPushButton* LbSpeedButton5;
    QPushButton* LbSpeedButton7;

public Q_SLOTS:
    void txtChange();
    void chk1Click();
    void FormResize();
    void FormShow();
    void Label26Click();
    void Label16Click();
    void Label14Click();
    void btsendClick();
    void LbSpeedButton4Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildContent();
    QWidget* buildNumbers();
    QWidget* buildAccount();
    QWidget* buildNews();
    void connectHandlers();
    void startNewsFetch();
    void addLine(const QString& line);

    Screens& screens_;
    QWidget* scheduleRow_ = nullptr;
    NumberMemo* numbers_ = nullptr;
    QPointer<SendsmsThread> job_;
    QList<QPointer<load_http_new_Thread>> newsFetches_;
};

} // namespace parlumo
