#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace parlumo {

struct Services;
class RecordGrid;
class ReplyFetchThread;

// "接收回复短信": fetches the replies from the service's reply box, stores them and lists the
// account's replies with the names of its address book. Once shown it polls every 8 seconds
// until a fetch brings replies or fails. The exchange runs on a worker; its answer is stored on
// this thread.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(Services& services, QWidget* parent = nullptr);
    ~TForm6() override;

    // Stops the poll and abandons a running fetch (the program is closing).
    void stopWorkers();
    // A fetch is on its way.
    bool fetching() const { return !fetch_.isNull(); }

public Q_SLOTS:
    void FormShow();
    void LbSpeedButton1Click();
    void Timer1Timer();
    void btschClick();
    void btpvClick();
    void btntClick();
    void CheckBox1Click();
    void btsendClick();
    void btdeClick();
    void btexouClick();

Q_SIGNALS:
    // "发短信": the numbers of the ticked replies go to the send-SMS screen, which comes to the
    // front.
    void smsRequested(const QStringList& numbers);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSearch();
    QWidget* buildDetail();
    QWidget* buildActions();
    void connectHandlers();
    void startFetch();
    void store(const QString& answer);
    void endFetch();
    void searchQuery();
    void showDetail();

    QPushButton* LbSpeedButton1;
    QComboBox* ComboBox1;
    QLineEdit* keystr;
    QPushButton* btsch;
    QTableView* wwDBGrid1;
    QLineEdit* allmobno;
    QLineEdit* selmobno;
    QCheckBox* CheckBox1;
    QPushButton* btpv;
    QPushButton* btnt;
    QPushButton* btsend;
    QPushButton* btde;
    QPushButton* btexou;
    QLineEdit* replyNumber;
    QLineEdit* replyTime;
    QPlainTextEdit* replyText;
    QLineEdit* replyPort;
    QLineEdit* replyName;
    QTimer* Timer1;

    Services& services_;
    RecordGrid* grid_ = nullptr;
    QPointer<ReplyFetchThread> fetch_;
};

} // namespace parlumo
