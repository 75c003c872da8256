#pragma once

#include "mms/mms_send_rules.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;

namespace parlumo {

struct AccountFields;
struct Services;
class DateRangeRecords;
class ForbiddenWordCheck;
class NumberMemo;
class ServiceCall;

// "彩信": composing and sending picture messages, and their records. The tree on the left
// switches between the compose page `tt1` and the records page `tt2`.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(Services& services, QWidget* parent = nullptr);
    ~TForm14() override;

    // Abandons a send in progress (the program is closing).
    void stopWorkers();

public Q_SLOTS:
    // Numbers handed over by other screens, one line each at the end of the memo.
    void appendNumbers(const QStringList& numbers);
    // A phrase handed over by the phrase library replaces the MMS text.
    void setMessageText(const QString& text);

    void FormShow();
    void tv1Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void mmstitleClick();
    void LbSpeedButton1Click();
    void LbSpeedButton2Click();
    void LbSpeedButton3Click();
    void tt2Show();
    void DBGrid1CellClick();

Q_SIGNALS:
    // "插入短语": the phrase library comes to the front.
    void phrasesRequested();
    // An accepted send lowered the balance.
    void accountChanged(const AccountFields& account);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSide();
    QWidget* buildComposePage();
    QWidget* buildMessage(QWidget* page);
    QWidget* buildPicture(QWidget* page);
    QWidget* buildNumbers(QWidget* page);
    QWidget* buildRecordsPage();
    void connectHandlers();

    MmsDraft draft() const;
    void refuse(const MmsRefusal& refusal);
    void sendAnswered(const QString& reply);
    void sendFailed(const QString& reason);
    void acceptTask(const QString& taskNumber);
    void lowerBalance();
    void inform(const QString& text);

    QTreeWidget* tv1;
    QTextEdit* Memo2;
    QTabWidget* ppc;
    QWidget* tt1;
    QWidget* tt2;

    QLabel* lbl1;
    QLineEdit* mmstitle;
    QPlainTextEdit* mmstxt;
    QLineEdit* zf;
    QLabel* max_txt;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QGroupBox* GroupBox5;
    QLineEdit* edtmmfile;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton2;
    QPlainTextEdit* Memo4;
    QPlainTextEdit* mob;
    QLineEdit* hm;
    QGroupBox* GroupBox3;
    QPushButton* LbSpeedButton9;
    QPushButton* LbSpeedButton12;
    QPushButton* LbSpeedButton11;
    QPushButton* LbSpeedButton600;
    QPushButton* LbSpeedButton59;
    QPushButton* btfdy;
    QPushButton* LbSpeedButton3;
    QProgressBar* sendProgress;

    QLabel* lbl2;
    QLabel* lbl3;
    QPlainTextEdit* mmo1;
    QPlainTextEdit* mmo2;

    Services& services_;
    NumberMemo* numbers_ = nullptr;
    ForbiddenWordCheck* forbiddenWords_ = nullptr;
    DateRangeRecords* records_ = nullptr;
    ServiceCall* call_ = nullptr;
    // The send under way, and the numbers it read.
    MmsSend sending_;
    QString numbersRead_;
};

} // namespace parlumo
