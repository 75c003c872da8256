#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
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

struct Services;
struct AccountFields;
class ForbiddenWordCheck;
class NumberMemo;
class SendsmsThread;
class load_http_new_Thread;

// "发送短信": the message text with its counts, the recipients' numbers, the account panel, the
// news area and the progress panel of the send job.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(Services& services, QWidget* parent = nullptr);

    // Stops the send job after the batch on its way and joins it; cancels the news fetches (the
    // program is closing).
    void stopWorkers();
    QString messageText() const;
    // A send job is running.
    bool sending() const;

    // The pause after each posted batch; the program always waits one second.
    std::chrono::milliseconds batchPause{1000};
    std::chrono::milliseconds newsDelay{1000};

public Q_SLOTS:
    // Writes the account panel from the account state.
    void showAccount(const AccountFields& account);
    // Shows or hides the schedule controls; hidden, "插入短语" moves to the left edge.
    void setScheduleVisible(bool visible);
    void setMessageText(const QString& text);
    // Numbers handed over by other screens, one line each at the end of the memo.
    void appendNumbers(const QStringList& numbers);
    void txtChange();
    void chk1Click();
    void FormResize();
    void FormShow();
    void Label26Click();
    void Label16Click();
    void Label14Click();
    void btsendClick();
    void LbSpeedButton4Click();
    // "重发失败的号码": the numbers of the last job's failed batches go back into the memo.
    void resendFailedClick();

Q_SIGNALS:
    // "从名片夹提取" and "插入短语": the address book or the phrase library comes to the front.
    void addressBookRequested();
    void phrasesRequested();
    // "Excel 中提取": the spreadsheet import opens for this screen's mode word.
    void spreadsheetImportRequested(const QString& actionpg);
    // " [ 刷新余额 ]": the account's balance is fetched again.
    void balanceRefreshRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    QPushButton* resendFailed;
    QPushButton* btsend;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton3;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton8;
    QPushButton* LbSpeedButton6;
    QPushButton* LbSpeedButton5;
    QPushButton* LbSpeedButton7;

    QWidget* buildContent();
    QWidget* buildNumbers();
    QWidget* buildAccount();
    QWidget* buildNews();
    void connectHandlers();
    void startNewsFetch();
    void addLine(const QString& line);

    Services& services_;
    QWidget* scheduleRow_ = nullptr;
    NumberMemo* numbers_ = nullptr;
    ForbiddenWordCheck* forbiddenWords_ = nullptr;
    // The numbers of the failed batches of the last job, until they go back into the memo.
    QStringList failedNumbers_;
    QPointer<SendsmsThread> job_;
    QList<QPointer<load_http_new_Thread>> newsFetches_;
};

} // namespace parlumo
