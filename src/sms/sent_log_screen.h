#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTreeWidget;

namespace parlumo {

struct Services;
class RecordGrid;

// "发送记录": the log of sent SMS batches, listed by status or by date range and content, with
// deleting, exporting and handing the numbers of batches on to be sent again.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    void FormShow();
    void tv1Change();
    void btschClick();
    void btpvClick();
    void btntClick();
    void CheckBox1Click();
    void btdeClick();
    void btsendClick();
    void LbSpeedButton1Click();
    void btexouClick();
    void LbSpeedButton2Click();
    void LbSpeedButton5Click();
    // "重发失败的号码": the numbers of the ticked batches that failed go to the send-SMS screen.
    void resendFailedClick();

Q_SIGNALS:
    // "发短信" and "发彩信": the numbers of the ticked batches, one a line, go to the send-SMS or
    // the MMS screen, which comes to the front.
    void smsRequested(const QStringList& numbers);
    void mmsRequested(const QStringList& numbers);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTree();
    QWidget* buildSearch();
    QWidget* buildActions();
    QWidget* buildNumbers();
    void connectHandlers();
    void showNumbers();
    QString currentNumbers() const;
    // The numbers of the ticked batches (of the failed ones only when asked), or nothing after
    // the message when none is ticked.
    bool tickedNumbers(QStringList& numbers, bool failedOnly = false);

    QTreeWidget* tv1;
    QDateEdit* sdate;
    QDateEdit* edate;
    QLineEdit* mobkey;
    QPushButton* btsch;
    QTableView* wwDBGrid1;
    QLineEdit* allmobno;
    QLineEdit* selmobno;
    QCheckBox* CheckBox1;
    QPushButton* btpv;
    QPushButton* btnt;
    QPushButton* btde;
    QPushButton* btsend;
    QPushButton* LbSpeedButton1;
    QPushButton* btexou;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton5;
    QPushButton* resendFailed;
    QPlainTextEdit* DBMemo1;

    Services& services_;
    RecordGrid* grid_ = nullptr;
    bool listed_ = false;
};

} // namespace parlumo
