#pragma once

#include "data/sql_text.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>

namespace parlumo {

class Database;

// A table that holds a tree of groups: one row per group, the root has no row. `parentColumn`
// holds the number of the parent group, 0 for a group directly under the root.
struct TreeColumns {
    QString table;
    QString idColumn = QStringLiteral("ID");
    QString parentColumn = QStringLiteral("PID");
    QString captionColumn = QStringLiteral("Caption");
};

// One group as a tree shows it.
struct TreeRow {
    int id = 0;
    QString caption;
    friend bool operator==(const TreeRow&, const TreeRow&) = default;
};

// The statements on a group table. Every value is bound; the account identifier is trimmed.
// The groups of one level that the account sees: its own and the guest account's.
SqlText treeLevelStatement(const TreeColumns& columns, const QString& uid, int parentId);
SqlText treeInsertStatement(
    const TreeColumns& columns, int id, int parentId, const QString& caption, const QString& uid);
SqlText treeRenameStatement(const TreeColumns& columns, int id, const QString& caption);
SqlText treeMoveStatement(const TreeColumns& columns, int id, int newParentId);
SqlText treeDeleteStatement(const TreeColumns& columns, int id);
// The largest group number of the table over every account.
SqlText treeLargestIdStatement(const TreeColumns& columns);

// Runs the statements of one group table on the calling thread's connection. Every operation
// raises DatabaseError when a statement fails.
class TreeTable {
public:
    TreeTable(Database& database, TreeColumns columns);

    const TreeColumns& columns() const { return columns_; }

    // The groups directly under `parentId`, in the order the table returns them.
    QList<TreeRow> children(const QString& uid, int parentId);
    // The largest group number of the table over every account; 0 when it is empty.
    int largestId();

    void insert(int id, int parentId, const QString& caption, const QString& uid);
    void rename(int id, const QString& caption);
    void move(int id, int newParentId);

    // Deletes the group `id` and every group below it that the account sees, in one
    // transaction. A group met a second time (a cycle of parent numbers) is not descended again.
    void deleteSubtree(const QString& uid, int id);

    // Reads the account's tree depth first from the root (number 0): `level` receives the
    // parent's number and its children before any grandchild is read. A group whose number
    // is already in the tree (the root's 0 included) is left out with everything below it, so
    // a cycle of parent numbers ends the walk instead of hanging it. Stops between two levels
    // once `cancelled` is set.
    using LevelRead = std::function<void(int parentId, const QList<TreeRow>& children)>;
    void walk(const QString& uid, const LevelRead& level, const std::atomic<bool>* cancelled = nullptr);

private:
    Database& database_;
    TreeColumns columns_;
};

} // namespace parlumo
