#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlumo {

struct AccountFields;
struct Services;
class DateRangeRecords;
class NumberMemo;
class ServiceCall;

// "传真": faxing one document to a list of fax numbers, and the records of the faxes sent. The
// tree on the left switches between the new task, the records and the (unavailable) receiving
// page; the cover fields above the pages belong to the new task.
class Tf_fax : public QWidget {
    Q_OBJECT
public:
    explicit Tf_fax(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // The main window's fax button opens the screen on the new task.
    void showFirstPage();
    void FormShow();
    void tv1Change();
    void faxnoChange();
    // "添加传真文件"
    void LbSpeedButton1Click();
    // "导出号码"
    void LbSpeedButton9Click();
    // "发送传真"
    void LbSpeedButton3Click();
    void tt2Show();

Q_SIGNALS:
    // The balance was lowered by an accepted fax.
    void accountChanged(const AccountFields& account);
    // A listed record's progress: its task number and number count.
    void progressRequested(const QString& snum, const QString& count);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What a running send carries from its start to its reply.
    struct Sending {
        QString numbersText;
        QString numberString;
        QString count;
        QString cost;
        QString linkman;
        QString subject;
        QString faxfile;
    };

    QWidget* buildTree();
    QWidget* buildHeader();
    QWidget* buildNewTask();
    QWidget* buildNumbers(QWidget* page);
    QWidget* buildOperations(QWidget* page);
    QWidget* buildDocument(QWidget* page);
    QWidget* buildRecords();
    QWidget* buildReceiving();
    void connectHandlers();
    void showPage(QWidget* page);
    void startSend(const Sending& sending, const QByteArray& document);
    void sendAnswered(const QString& reply);
    void sendFailed();
    void recordAcceptedFax(const QString& snum);
    void lowerBalance(const QString& cost);
    void inform(const QString& text);

    QTreeWidget* tv1;
    QPlainTextEdit* Memo2;
    QStackedWidget* ppc;
    QLabel* pageCaption_;
    QWidget* Panel6;
    QLineEdit* men;
    QLineEdit* subjects;
    QWidget* tt1;
    QWidget* tt2;
    QWidget* tt3;
    QPlainTextEdit* faxno;
    QLineEdit* hm;
    QLineEdit* Edit4;
    QLineEdit* inmob;
    QPushButton* LbSpeedButton59;
    QPushButton* LbSpeedButton9;
    QPushButton* LbSpeedButton12;
    QPushButton* LbSpeedButton11;
    QPushButton* LbSpeedButton600;
    QLineEdit* select_faxfile;
    QLineEdit* filename;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton3;
    QProgressBar* sendProgress;
    QTreeWidgetItem* newTaskNode_;
    QTreeWidgetItem* recordsNode_;
    QTreeWidgetItem* receivingNode_;

    Services& services_;
    NumberMemo* numbers_ = nullptr;
    DateRangeRecords* records_ = nullptr;
    ServiceCall* call_ = nullptr;
    Sending sending_;
};

} // namespace parlumo
