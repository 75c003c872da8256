#pragma once

#include "widgets/record_list_model.h"
#include "widgets/spreadsheet_export.h"

#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace parlumo {

struct Services;
class ServiceCall;
class RecordGrid;
struct ProgressReply;

// What makes one task's progress dialog: its program name and caption, the service page it
// polls, the table its results go to and the column of the number in it, the columns it lists
// and those it exports.
struct TaskProgressConfig {
    QString name;
    QString caption;
    QString page;
    QString table;
    QString numberColumn;
    QList<RecordColumn> columns;
    QList<ExportColumn> exportColumns;
};

// The columns both progress lists show, left to right: the number, "通话时长", "消费", "状态" and
// "时间"; the dialogs differ in the number's field and the widths of the number and the status.
QList<RecordColumn> progressListColumns(const QString& numberColumn, int numberWidth, int statusWidth);
// What both progress dialogs export: the listed columns but the time.
QList<ExportColumn> progressExportColumns(const QString& numberColumn);

// A modal dialog that follows one task after it was sent: every 8 seconds while it is open, and
// on "刷新", it asks the service for the task's per-number results, stores each one it receives
// as a row of its table and lists the task's stored rows, newest first. The exchange runs on a
// worker, one at a time; its answer is stored on this thread.
class TaskProgressDialog : public QDialog {
    Q_OBJECT
public:
    TaskProgressDialog(Services& services, TaskProgressConfig config, QWidget* parent);
    ~TaskProgressDialog() override;

    // A poll's exchange is on its way.
    bool polling() const;
    // Stops the poll and abandons a running exchange (the dialog closes, the program ends).
    void stopWorkers();

public Q_SLOTS:
    // Follows the task `snum` of `count` numbers: lists its stored rows, starts the poll and
    // shows the dialog modally.
    void openFor(const QString& snum, const QString& count);
    void addmobClick();
    void Timer1Timer();
    void LbSpeedButton2Click();
    void btschClick();

Q_SIGNALS:
    // A poll ended: its answer was stored and the list read again as far as it goes.
    void pollEnded();

protected:
    void done(int result) override;

private:
    QWidget* buildCounts();
    QWidget* buildButtons();
    QString taskNumber() const;
    SqlText listStatement(const QString& snum) const;
    void listRows();
    void poll();
    void store(const QString& snum, const QString& answer);
    bool storeRecords(const QString& snum, const ProgressReply& reply);

    QLineEdit* snum_s;
    QLineEdit* allhm;
    QLineEdit* hm;
    QPushButton* addmob;
    QPushButton* LbSpeedButton2;
    QPushButton* btsch;
    QTableView* DBGrid1;
    QTimer* Timer1;

    Services& services_;
    TaskProgressConfig config_;
    RecordGrid* grid_ = nullptr;
    ServiceCall* poll_;
    QString polledTask_; // the task whose page the running poll asked for
};

} // namespace parlumo
