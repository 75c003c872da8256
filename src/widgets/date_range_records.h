#pragma once

#include "widgets/record_grid.h"
#include "widgets/spreadsheet_export.h"

#include <QObject>
#include <QString>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class QVBoxLayout;
class QWidget;

namespace parlumo {

struct Services;

// A button's program name and caption.
struct ButtonText {
    QString name;
    QString caption;
};

// What one screen's records page lists and exports.
struct DateRangeRecordsConfig {
    QString table;
    // The autonumber: the newest rows come first.
    QString keyField;
    QList<RecordColumn> columns;
    // Fields read with each row without being shown (the detail of a clicked row).
    QStringList carriedFields;
    QList<ExportColumn> exportColumns;
    ButtonText queryButton;
    ButtonText exportButton;
    // The caption above the grid, and the grid's hint.
    QString gridCaption;
    QString gridHint;
};

// The records page of a sending screen: the days `sdate` to `edate`, "查询" and the export
// button, and the read-only grid `DBGrid1` of the account's records stamped strictly inside the
// range, newest first. A click on a listed record is handed to the screen (its detail, or its
// progress dialog); a click in an empty list is not.
class DateRangeRecords : public QObject {
    Q_OBJECT
public:
    // Builds the page's controls into `page`, whose layout the screen may extend below the grid.
    DateRangeRecords(Services& services, DateRangeRecordsConfig config, QWidget* page);

    QVBoxLayout* layout() const { return layout_; }
    RecordGrid& grid() { return *grid_; }

    // `sdate` := today − 7 days, `edate` := today.
    void resetDates();
    // Lists the logged-in account's records of the picked days; a failing statement is shown.
    void query();
    // Runs the last query again and exports what it lists.
    void exportRecords();
    // A field of the clicked (current) record.
    QVariant currentValue(const QString& field) const { return grid_->currentValue(field); }

Q_SIGNALS:
    void recordClicked();

private:
    Services& services_;
    DateRangeRecordsConfig config_;
    QWidget* page_;
    QVBoxLayout* layout_;
    QDateEdit* sdate_;
    QDateEdit* edate_;
    QTableView* view_;
    RecordGrid* grid_;
};

} // namespace parlumo
