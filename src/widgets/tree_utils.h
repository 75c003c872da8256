#pragma once

#include "data/tree_table.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlumo {

class AccountState;
class Database;
class MessageBoxes;
class TTreeFill;

// What each node of a category tree carries: the group's number (0 for the root) and name.
struct TNodeData {
    int Index = 0;
    QString Caption;
    friend bool operator==(const TNodeData&, const TNodeData&) = default;
};

// How one screen's tree is bound to its table.
struct TreeBinding {
    TreeColumns columns;
    QString rootCaption = QStringLiteral("我的目录");
    // Asked (caption "提示", Yes/No) before a drop onto a group moves anything.
    QString moveQuestion;
};

// Keeps a tree control and a group table in step: loads the tree on a worker (TTreeFill), adds,
// renames, moves and deletes groups, and offers the pop-up menu actions and the drag-and-drop
// move of a category tree. One per screen; every operation runs on the user-interface thread.
//
// The tree control is a plain QTreeWidget with one column; each item carries its TNodeData
// (Qt::UserRole) and its image numbers (kImageRole, kSelectedImageRole: 0 root, 1 group, 2
// selected group). Changes the binder makes to the items do not emit the tree's signals, so a
// screen's handlers of QTreeWidget signals see only the user's selections and edits; the one
// exception is DeleteNode, which selects the parent of a deleted selected node.
//
// Account identifier: read from AccountState when a statement is made, trimmed.
class TTreeUtils : public QObject {
    Q_OBJECT
public:
    static constexpr int kNodeDataRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kSelectedImageRole = Qt::UserRole + 2;

    // Configures `tree` (drag and drop, in-place editing on F2 and "编辑分类", node images) and
    // creates the actions and the hidden edit `edtCaption` ("未命名分类") that names new groups.
    // The tree is not loaded yet.
    TTreeUtils(QTreeWidget* tree,
               TreeBinding binding,
               Database& database,
               const AccountState& account,
               MessageBoxes& messages,
               QObject* parent = nullptr);
    ~TTreeUtils() override;

    // Rebuilds the whole tree: the root at once, the groups level by level as the worker reads
    // them, then everything expanded and loaded() emitted. A newer LoadTree drops whatever an
    // older one still delivers.
    void LoadTree();
    // Stops every running load and waits for it (the program is closing).
    void stopLoads();

    // `Index` of the selected node, or -1 when nothing is selected.
    int SelectedId() const;
    // `Caption` of the selected node, or empty text.
    QString SelectedCaption() const;
    // The node's data; the root's (0, root caption) when `node` is null.
    TNodeData GetNodeData(const QTreeWidgetItem* node) const;
    // The largest `Index` in the tree control; 0 when only the root is there.
    int MaxNodeId() const;

    // Adds a group named `caption` beside `node` (the selected node, else the root, when null):
    // under the node's parent, or as a top-level group when the node is the root. The new
    // number is one more than the larger of MaxNodeId and the table's largest number over every
    // account. The node joins the tree, unselected, only when the insert succeeded.
    bool AddNode(const QString& caption, QTreeWidgetItem* node = nullptr);
    // The same, under `node` itself.
    bool AddChildNode(const QString& caption, QTreeWidgetItem* node = nullptr);
    // Renames the node's group. The root is renamed in the tree only; no row changes.
    bool RenameNode(const QString& caption, QTreeWidgetItem* node);
    // Makes the node's group a child of group `target`. Refused (false, nothing changes) for the
    // root, for its current parent, for itself and for any node below it. The tree is not
    // changed; the caller reloads.
    bool MoveNode(int target, QTreeWidgetItem* node);
    // Deletes the node's group and every group below it from the table, then the nodes; when
    // the node was selected, its parent becomes the selected node. Raises Error
    // "禁止删除根节目录！" for the root; false when the table was not changed.
    bool DeleteNode(QTreeWidgetItem* node);
    // Runs a statement that returns no rows; false when the database refuses it.
    bool ExecSql(const SqlText& statement);
    // The text of the last statement that ExecSql ran.
    const QString& lastStatement() const { return lastStatement_; }

    QTreeWidget* tree() const { return tree_; }
    QTreeWidgetItem* rootNode() const;
    // The node of group `index`, or null.
    QTreeWidgetItem* findNode(int index) const;

    // The pop-up menu actions: "添加分类", "添加子分类", "编辑分类", "删除分类". A screen puts
    // them into its menu (with entries of its own) and hands the menu to setPopupMenu.
    QAction* acAdd() const { return acAdd_; }
    QAction* acAddChild() const { return acAddChild_; }
    QAction* acEdit() const { return acEdit_; }
    QAction* acDelete() const { return acDelete_; }
    // Opens `menu` where the user right-clicks the tree.
    void setPopupMenu(QMenu* menu);

    // The screen's part of "删除分类": deletes what the group holds and lists what is left. It
    // runs after the user confirmed; an error it raises ends the delete, silently, before the
    // groups go.
    using DeleteContents = std::function<void(const TNodeData& group)>;
    void setDeleteContents(DeleteContents deleteContents);

    // Drops of items dragged from `source` (a grid of the screen) are accepted too: after the
    // move question is answered Yes they come out as droppedFrom(source, target group number).
    void acceptDropsFrom(QWidget* source);

public Q_SLOTS:
    // "添加分类" / "添加子分类": a group named by `edtCaption` beside / under the selected node.
    void acAddExecute();
    void acAddChildExecute();
    // "编辑分类": in-place editing of the selected node's caption; the edit renames the group.
    void acEditExecute();
    // "删除分类": asks, runs the screen's DeleteContents, then DeleteNode on the selected node.
    // Every error is swallowed, as the screens want it.
    void acDeleteExecute();
    // What a drop from `source` onto `target` does: nothing without a target or from a source
    // that is not accepted; otherwise the move question, then MoveNode and LoadTree for a node
    // of this tree, or droppedFrom for an accepted source.
    void dropOn(QTreeWidgetItem* target, QObject* source);

Q_SIGNALS:
    // The user selected a node, or clicked the node already selected; `parent` is the data of its
    // parent (the root's for the root).
    void nodeSelected(const parlumo::TNodeData& node, const parlumo::TNodeData& parent);
    // The newest load has ended.
    void loaded();
    // Items of an accepted foreign source were dropped onto group `target` and the user said Yes.
    void droppedFrom(QObject* source, int target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* makeNode(const TNodeData& data, bool root) const;
    QTreeWidgetItem* selectedNode() const;
    QTreeWidgetItem* nodeOrSelectedOrRoot(QTreeWidgetItem* node) const;
    bool addGroup(const QString& caption, QTreeWidgetItem* parentNode);
    void addLevel(quint64 load, int parentId, const QList<TreeRow>& children);
    void endLoad(quint64 load);
    void selectionChanged();
    void forgetNodes(QTreeWidgetItem* top);
    void edited(QTreeWidgetItem* item);
    bool acceptsDragFrom(const QObject* source) const;
    QString uid() const;

    QTreeWidget* tree_;
    TreeBinding binding_;
    Database& database_;
    const AccountState& account_;
    MessageBoxes& messages_;
    QIcon rootIcon_;
    QIcon groupIcon_;
    QLineEdit* edtCaption_;
    QAction* acAdd_;
    QAction* acAddChild_;
    QAction* acEdit_;
    QAction* acDelete_;
    QObject* viewport_ = nullptr;
    QPointer<QMenu> popupMenu_;
    DeleteContents deleteContents_;
    QList<QPointer<QWidget>> dropSources_;
    QString lastStatement_;
    // The node that was already selected when the left button went down on it, else null.
    QTreeWidgetItem* pressedSelected_ = nullptr;

    // The load whose levels are applied; levels of older loads are dropped.
    quint64 currentLoad_ = 0;
    QPointer<TTreeFill> currentFill_;
    // The nodes of the current load by group number, for attaching the next levels.
    QHash<int, QTreeWidgetItem*> loadedNodes_;
};

} // namespace parlumo

Q_DECLARE_METATYPE(parlumo::TNodeData)
