#pragma once

#include "widgets/record_list_model.h"

#include <QObject>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace parlumo {

// The controls of a screen's list that the grid drives; any of the counters may be absent.
struct RecordGridControls {
    QTableView* view = nullptr;     // the program's grid (`wwDBGrid1`, `DBGrid1`)
    QLineEdit* allmobno = nullptr;  // rows of the last query
    QLineEdit* selmobno = nullptr;  // ticked rows
    QCheckBox* selectAll = nullptr; // "全选": unticked again whenever a new query clears the ticks
};

// A record list on a table view: the rows of one statement read as they are scrolled
// to, a tick column "选择" (when the list has one), the counters, "全选", the previous and next
// row, and the current row for the screen's detail. Each screen configures the columns and
// runs its statements; the grid knows no table. A list with editable fields is edited in place:
// leaving a row posts its changes, Enter is handed to the screen to post or cancel them, and
// Down on the last row never makes a new one.
class RecordGrid : public QObject {
    Q_OBJECT
public:
    RecordGrid(Database& database, RecordListConfig config, RecordGridControls controls, QObject* parent);

    // Lists the statement's rows with none ticked, the first row current, and shows the counts.
    // A failed statement leaves the list empty and raises DatabaseError.
    void open(const SqlText& statement);
    // Runs the current statement again; ticked rows still listed stay ticked, the current row
    // stays current when it is still listed.
    void reopen();
    const SqlText& statement() const { return model_->statement(); }

    RecordListModel& model() { return *model_; }
    const RecordListModel& model() const { return *model_; }
    int totalRows() const { return model_->totalRows(); }
    int tickedCount() const { return model_->tickedCount(); }

    // The current row, or -1 when the list is empty.
    int currentRow() const;
    bool hasCurrent() const { return currentRow() >= 0; }
    qint64 currentKey() const;
    QVariant currentValue(const QString& field) const;
    void setCurrentRow(int row);

public Q_SLOTS:
    // "上一条" and "下一条": one row back or forward (reading the next page when needed).
    void previous();
    void next();
    // "全选" ticked or unticked.
    void setAllTicked(bool ticked);
    // Posts the staged changes; a refused post cancels them and reports postFailed.
    bool postOrCancel();

Q_SIGNALS:
    // The current row changed (or the list was opened again): the screen shows its detail.
    void currentChanged();
    // Enter was pressed in the list, or ended the editing of a cell.
    void enterPressed();
    // The table refused the changes of a row, which were cancelled.
    void postFailed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void configureView();
    void leaveRow(const QModelIndex& current, const QModelIndex& previous);
    void showTicked(int tickedRows);
    void showTotal();
    void resetSelectAll();

    RecordListModel* model_;
    RecordGridControls controls_;
};

// The counters row of the record lists: "共" allmobno "条   选中" selmobno `tail`.
QHBoxLayout*
recordCountsRow(QWidget* parent, QLineEdit*& allmobno, QLineEdit*& selmobno, const QString& tail);

// The controls of a ticked list's navigation row.
struct RecordNavigationControls {
    QLineEdit* allmobno = nullptr;
    QLineEdit* selmobno = nullptr;
    QCheckBox* selectAll = nullptr;  // "全选", named CheckBox1
    QPushButton* previous = nullptr; // "上一条", named btpv
    QPushButton* next = nullptr;     // "下一条", named btnt
};

// The counters row with "全选" after it and "上一条", "下一条" at its right end.
QHBoxLayout* recordNavigationRow(QWidget* parent, const QString& tail, RecordNavigationControls& controls);

} // namespace parlumo
