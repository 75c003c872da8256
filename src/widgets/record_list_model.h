#pragma once

#include "data/sql_text.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace parlumo {

class Database;

// One shown column of a record list: the query field, its title and its display width in
// characters.
struct RecordColumn {
    QString field;
    QString caption;
    int widthChars = 10;
};

// What a screen's list shows and how its rows are known.
struct RecordListConfig {
    // The columns after the tick column, left to right.
    QList<RecordColumn> columns;
    // The table's autonumber: ticks, the current row and deletes go by it.
    QString keyField;
    // The numbers that the list hands to other screens (one value per row).
    QString numbersField;
    // Fields read with every row without being shown (the detail of the current row). Long
    // fields are better read by key when needed, so scrolling does not keep them all.
    QStringList carriedFields;
    // A first column "选择" with a tick box per row; lists without it select whole rows only.
    bool tickable = true;
    // Rows can be dragged out of the list (onto a tree of groups that accepts the grid).
    bool draggable = false;
    // Shown fields the user may edit in place; an empty list keeps the list read-only. The
    // changes of one row are staged until they are posted: storeRow gets the row's fields
    // (carried ones too) and its key, 0 for a row appended by appendNewRow, and returns the
    // key it has in the table. It raises DatabaseError to refuse them.
    QStringList editableFields;
    std::function<qint64(qint64 key, const QVariantMap& fields)> storeRow;
};

// The rows of one statement for a table view. The statement runs on a connection of its own and
// its rows are read page by page as the view scrolls to them, so a list of any length opens at
// once; the count and the keys of all rows are read with it, from the same snapshot. Ticks are
// kept by row key in the order they were given, so they belong to rows, not to view positions.
// Rows that share a key (a reply listed once per contact of its number) are ticked together.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RecordListModel(Database& database, RecordListConfig config, QObject* parent = nullptr);
    ~RecordListModel() override;

    static constexpr int kPageRows = 256;

    // Lists the statement's rows, with no row ticked. On failure the list is empty and the
    // DatabaseError goes to the caller.
    void open(const SqlText& statement);
    // Runs the current statement again; rows still listed keep their ticks.
    void reopen();
    const SqlText& statement() const { return statement_; }
    const RecordListConfig& config() const { return config_; }

    // All rows of the statement, read or not.
    int totalRows() const { return static_cast<int>(keys_.size()); }
    qint64 key(int row) const;
    // A field of a read row: a shown, carried or key field.
    QVariant value(int row, const QString& field) const;
    // The first read row with the key, or -1.
    int rowOfKey(qint64 key) const;
    // The column of a shown field in this model, or -1.
    int columnOf(const QString& field) const;

    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    void tickAll();
    void untickAll();
    // Ticked rows (a shared key counts once per row that shows it).
    int tickedCount() const { return tickedRows_; }
    // Keys of the ticked rows in the order they were ticked ("全选" ticks in list order).
    const QList<qint64>& tickedKeys() const { return tickOrder_; }
    // The values of `fields` for each ticked key, in tick order, read from the statement's rows;
    // raises DatabaseError.
    QList<QStringList> tickedRecords(const QStringList& fields) const;
    // One value of `field` per ticked key, as above.
    QStringList tickedValues(const QString& field) const;
    QStringList tickedNumbers() const { return tickedValues(config_.numbersField); }

    // The row whose changes are staged, or -1.
    int pendingRow() const { return pending_.row; }
    bool isNewRow(int row) const { return row >= 0 && row == pending_.row && pending_.isNew; }
    // Appends a row after all of the statement's rows, carrying `fields` (the account, the group)
    // and staged as changed, so that posting stores it even when nothing is typed. Any changes
    // staged before are posted first (raises DatabaseError, and then nothing is appended).
    int appendNewRow(const QVariantMap& fields);
    // Stores the staged changes through the list's storeRow; on failure they stay staged and the
    // DatabaseError goes to the caller.
    void post();
    // Forgets the staged changes: the row shows its stored values again, a new row leaves.
    void cancel();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

Q_SIGNALS:
    void ticksChanged(int tickedRows);

private:
    void run();
    void release();
    void readKeys();
    QList<QVariantList> readPage();
    void appendRows(QList<QVariantList> page);
    int multiplicity(qint64 key) const { return duplicates_.value(key, 1); }
    void markTick(qint64 key, bool ticked);
    void emitTickColumnChanged(int firstRow, int lastRow);
    SqlText wrapped(const QStringList& fields) const;
    bool isEditable(const QModelIndex& index) const;
    void stage(int row, const QString& field, const QVariant& value);

    struct Pending {
        int row = -1;
        bool isNew = false;
        QVariantMap changes;
    };

    Database& database_;
    RecordListConfig config_;
    QString reader_;
    QStringList fields_; // key first, then shown and carried fields
    int firstShownColumn_;
    SqlText statement_;
    std::optional<QSqlQuery> cursor_;
    QList<QVariantList> rows_;
    QMultiHash<qint64, int> rowsOfKey_;
    QList<qint64> keys_;
    QHash<qint64, int> duplicates_; // keys listed more than once, with their count
    QSet<qint64> ticked_;
    QList<qint64> tickOrder_;
    int tickedRows_ = 0;
    Pending pending_;
};

} // namespace parlumo
