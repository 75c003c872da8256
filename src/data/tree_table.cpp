#include "data/tree_table.h"

#include "data/conditions.h"
#include "data/database.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>

namespace parlumo {

SqlText treeLevelStatement(const TreeColumns& columns, const QString& uid, int parentId) {
    return SqlText(QStringLiteral("select ") + columns.idColumn + QStringLiteral(", ") +
                   columns.captionColumn + QStringLiteral(" from ") + columns.table +
                   QStringLiteral(" where "))
        .add(accountOrGuestCondition(uid))
        .add(QStringLiteral(" and ") + columns.parentColumn + QStringLiteral("="))
        .value(parentId);
}

SqlText treeInsertStatement(
    const TreeColumns& columns, int id, int parentId, const QString& caption, const QString& uid) {
    return SqlText(QStringLiteral("insert into ") + columns.table + QStringLiteral(" (") + columns.idColumn +
                   QLatin1Char(',') + columns.parentColumn + QLatin1Char(',') + columns.captionColumn +
                   QStringLiteral(",uid) values("))
        .valueList({id, parentId, caption, uid.trimmed()})
        .add(QStringLiteral(")"));
}

SqlText treeRenameStatement(const TreeColumns& columns, int id, const QString& caption) {
    return SqlText(QStringLiteral("update ") + columns.table + QStringLiteral(" set ") +
                   columns.captionColumn + QLatin1Char('='))
        .value(caption)
        .add(QStringLiteral(" where ") + columns.idColumn + QLatin1Char('='))
        .value(id);
}

SqlText treeMoveStatement(const TreeColumns& columns, int id, int newParentId) {
    return SqlText(QStringLiteral("update ") + columns.table + QStringLiteral(" set ") +
                   columns.parentColumn + QLatin1Char('='))
        .value(newParentId)
        .add(QStringLiteral(" where ") + columns.idColumn + QLatin1Char('='))
        .value(id);
}

SqlText treeDeleteStatement(const TreeColumns& columns, int id) {
    return SqlText(QStringLiteral("delete from ") + columns.table + QStringLiteral(" where ") +
                   columns.idColumn + QLatin1Char('='))
        .value(id);
}

SqlText treeLargestIdStatement(const TreeColumns& columns) {
    return SqlText(QStringLiteral("select max(") + columns.idColumn + QStringLiteral(") from ") +
                   columns.table);
}

TreeTable::TreeTable(Database& database, TreeColumns columns)
    : database_(database), columns_(std::move(columns)) {}

QList<TreeRow> TreeTable::children(const QString& uid, int parentId) {
    QSqlQuery rows = database_.execute(treeLevelStatement(columns_, uid, parentId));
    QList<TreeRow> level;
    while (rows.next())
        level.append(TreeRow{rows.value(0).toInt(), rows.value(1).toString()});
    return level;
}

int TreeTable::largestId() {
    QSqlQuery row = database_.execute(treeLargestIdStatement(columns_));
    return row.next() ? row.value(0).toInt() : 0;
}

void TreeTable::insert(int id, int parentId, const QString& caption, const QString& uid) {
    database_.execute(treeInsertStatement(columns_, id, parentId, caption, uid));
}

void TreeTable::rename(int id, const QString& caption) {
    database_.execute(treeRenameStatement(columns_, id, caption));
}

void TreeTable::move(int id, int newParentId) {
    database_.execute(treeMoveStatement(columns_, id, newParentId));
}

void TreeTable::deleteSubtree(const QString& uid, int id) {
    QSqlDatabase db = database_.connection();
    if (!db.transaction())
        throw DatabaseError(db.lastError().text());
    try {
        QSet<int> visited{id};
        QList<int> pending{id};
        while (!pending.isEmpty()) {
            const int group = pending.takeLast();
            for (const TreeRow& child : children(uid, group))
                if (!visited.contains(child.id)) {
                    visited.insert(child.id);
                    pending.append(child.id);
                }
            database_.execute(treeDeleteStatement(columns_, group));
        }
        if (!db.commit())
            throw DatabaseError(db.lastError().text());
    } catch (...) {
        db.rollback();
        throw;
    }
}

void TreeTable::walk(const QString& uid, const LevelRead& level, const std::atomic<bool>* cancelled) {
    QSet<int> visited{0};
    // Groups whose children are still to be read; the last one is read next, so the children of
    // a group are pushed in reverse to keep the table's order depth first.
    QList<int> pending{0};
    while (!pending.isEmpty()) {
        if (cancelled && *cancelled)
            return;
        const int parentId = pending.takeLast();
        QList<TreeRow> fresh;
        for (const TreeRow& row : children(uid, parentId))
            if (!visited.contains(row.id)) {
                visited.insert(row.id);
                fresh.append(row);
            }
        level(parentId, fresh);
        for (auto it = fresh.crbegin(); it != fresh.crend(); ++it)
            pending.append(it->id);
    }
}

} // namespace parlumo
