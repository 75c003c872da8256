#include "widgets/tree_utils.h"

#include "core/account_state.h"
#include "data/database.h"
#include "text/error.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/artwork.h"
#include "widgets/tree_fill.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace parlumo {

namespace {

// Image 0 for the root in both states; image 1 for a group, image 2 while it is selected.
QIcon nodeImages(int normal, int selected, qreal dpr) {
    QIcon icon;
    for (const QSize size : {QSize(16, 16), QSize(24, 24), QSize(32, 32)}) {
        icon.addPixmap(artwork::treeNodeImage(normal, size, dpr), QIcon::Normal);
        icon.addPixmap(artwork::treeNodeImage(selected, size, dpr), QIcon::Selected);
    }
    return icon;
}

// Whether group `index` is one of the nodes below `node`.
bool holdsGroup(const QTreeWidgetItem* node, int index) {
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem* child = node->child(i);
        if (child->data(0, TTreeUtils::kNodeDataRole).value<TNodeData>().Index == index ||
            holdsGroup(child, index))
            return true;
    }
    return false;
}

QAction* action(const QString& name, const QString& caption, QObject* parent) {
    auto* a = new QAction(caption, parent);
    a->setObjectName(name);
    return a;
}

} // namespace

TTreeUtils::TTreeUtils(QTreeWidget* tree,
                       TreeBinding binding,
                       Database& database,
                       const AccountState& account,
                       MessageBoxes& messages,
                       QObject* parent)
    : QObject(parent), tree_(tree), binding_(std::move(binding)), database_(database), account_(account),
      messages_(messages), rootIcon_(nodeImages(0, 0, tree->devicePixelRatioF())),
      groupIcon_(nodeImages(1, 2, tree->devicePixelRatioF())) {
    tree_->setColumnCount(1);
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tree_->setDragEnabled(true);
    tree_->setAcceptDrops(true);
    tree_->viewport()->setAcceptDrops(true);
    tree_->setDragDropMode(QAbstractItemView::DragDrop);
    tree_->setDefaultDropAction(Qt::CopyAction);
    viewport_ = tree_->viewport();
    viewport_->installEventFilter(this);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &TTreeUtils::selectionChanged);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item && item == pressedSelected_)
            selectionChanged();
        pressedSelected_ = nullptr;
    });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { edited(item); });

    edtCaption_ = named(new QLineEdit(QStringLiteral("未命名分类"), tree_), QStringLiteral("edtCaption"));
    edtCaption_->hide();
    acAdd_ = action(QStringLiteral("acAdd"), QStringLiteral("添加分类"), tree_);
    acAddChild_ = action(QStringLiteral("acAddChild"), QStringLiteral("添加子分类"), tree_);
    acEdit_ = action(QStringLiteral("acEdit"), QStringLiteral("编辑分类"), tree_);
    acDelete_ = action(QStringLiteral("acDelete"), QStringLiteral("删除分类"), tree_);
    connect(acAdd_, &QAction::triggered, this, &TTreeUtils::acAddExecute);
    connect(acAddChild_, &QAction::triggered, this, &TTreeUtils::acAddChildExecute);
    connect(acEdit_, &QAction::triggered, this, &TTreeUtils::acEditExecute);
    connect(acDelete_, &QAction::triggered, this, &TTreeUtils::acDeleteExecute);
}

TTreeUtils::~TTreeUtils() {
    stopLoads();
}

QString TTreeUtils::uid() const {
    return account_.get().uid.trimmed();
}

// Loading

void TTreeUtils::LoadTree() {
    ++currentLoad_;
    if (currentFill_)
        currentFill_->stop();
    {
        const QSignalBlocker quiet(tree_);
        tree_->clear();
        loadedNodes_.clear();
        QTreeWidgetItem* root = makeNode(TNodeData{0, binding_.rootCaption}, true);
        tree_->addTopLevelItem(root);
        loadedNodes_.insert(0, root);
    }
    const quint64 load = currentLoad_;
    auto* fill = new TTreeFill(database_, binding_.columns, uid(), this);
    connect(fill, &TTreeFill::levelRead, this, [this, load](int parentId, const QList<TreeRow>& children) {
        addLevel(load, parentId, children);
    });
    connect(fill, &TTreeFill::ended, this, [this, load] { endLoad(load); });
    connect(fill, &QThread::finished, fill, &QObject::deleteLater);
    currentFill_ = fill;
    fill->start();
}

void TTreeUtils::addLevel(quint64 load, int parentId, const QList<TreeRow>& children) {
    if (load != currentLoad_)
        return;
    QTreeWidgetItem* parent = loadedNodes_.value(parentId);
    if (!parent)
        return;
    const QSignalBlocker quiet(tree_);
    for (const TreeRow& row : children) {
        // A group added by the user while the load ran is in the tree already.
        if (loadedNodes_.contains(row.id))
            continue;
        QTreeWidgetItem* node = makeNode(TNodeData{row.id, row.caption}, false);
        parent->addChild(node);
        loadedNodes_.insert(row.id, node);
    }
}

void TTreeUtils::endLoad(quint64 load) {
    if (load != currentLoad_)
        return;
    tree_->expandAll();
    Q_EMIT loaded();
}

void TTreeUtils::stopLoads() {
    for (TTreeFill* fill : findChildren<TTreeFill*>(Qt::FindDirectChildrenOnly))
        fill->cancel();
}

QTreeWidgetItem* TTreeUtils::makeNode(const TNodeData& data, bool root) const {
    auto* node = new QTreeWidgetItem(QStringList{data.Caption});
    node->setData(0, kNodeDataRole, QVariant::fromValue(data));
    node->setData(0, kImageRole, root ? 0 : 1);
    node->setData(0, kSelectedImageRole, root ? 0 : 2);
    node->setIcon(0, root ? rootIcon_ : groupIcon_);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

// Reading the tree

QTreeWidgetItem* TTreeUtils::rootNode() const {
    return tree_->topLevelItem(0);
}

QTreeWidgetItem* TTreeUtils::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem* TTreeUtils::nodeOrSelectedOrRoot(QTreeWidgetItem* node) const {
    if (node)
        return node;
    if (QTreeWidgetItem* selected = selectedNode())
        return selected;
    return rootNode();
}

QTreeWidgetItem* TTreeUtils::findNode(int index) const {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (GetNodeData(*it).Index == index)
            return *it;
    return nullptr;
}

int TTreeUtils::SelectedId() const {
    const QTreeWidgetItem* node = selectedNode();
    return node ? GetNodeData(node).Index : -1;
}

QString TTreeUtils::SelectedCaption() const {
    const QTreeWidgetItem* node = selectedNode();
    return node ? GetNodeData(node).Caption : QString();
}

TNodeData TTreeUtils::GetNodeData(const QTreeWidgetItem* node) const {
    if (!node)
        return TNodeData{0, binding_.rootCaption};
    return node->data(0, kNodeDataRole).value<TNodeData>();
}

int TTreeUtils::MaxNodeId() const {
    int largest = 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        largest = qMax(largest, GetNodeData(*it).Index);
    return largest;
}

// Changing the table and the tree

bool TTreeUtils::ExecSql(const SqlText& statement) {
    lastStatement_ = statement.text();
    try {
        database_.execute(statement);
        return true;
    } catch (const DatabaseError& error) {
        qWarning().noquote() << "tree statement:" << error.reason();
        return false;
    }
}

bool TTreeUtils::AddNode(const QString& caption, QTreeWidgetItem* node) {
    QTreeWidgetItem* beside = nodeOrSelectedOrRoot(node);
    if (!beside)
        return false;
    return addGroup(caption, beside == rootNode() ? beside : beside->parent());
}

bool TTreeUtils::AddChildNode(const QString& caption, QTreeWidgetItem* node) {
    QTreeWidgetItem* under = nodeOrSelectedOrRoot(node);
    return under && addGroup(caption, under);
}

bool TTreeUtils::addGroup(const QString& caption, QTreeWidgetItem* parentNode) {
    const int parentId = GetNodeData(parentNode).Index;
    int largest = 0;
    try {
        // Numbers are unique over every account of the table, not only over the visible groups.
        largest = TreeTable(database_, binding_.columns).largestId();
    } catch (const DatabaseError& error) {
        qWarning().noquote() << "tree statement:" << error.reason();
        return false;
    }
    const int id = qMax(MaxNodeId(), largest) + 1;
    if (!ExecSql(treeInsertStatement(binding_.columns, id, parentId, caption, uid())))
        return false;
    const QSignalBlocker quiet(tree_);
    QTreeWidgetItem* added = makeNode(TNodeData{id, caption}, false);
    parentNode->addChild(added);
    loadedNodes_.insert(id, added);
    return true;
}

bool TTreeUtils::RenameNode(const QString& caption, QTreeWidgetItem* node) {
    if (!node)
        return false;
    TNodeData data = GetNodeData(node);
    // The root has no row: it is renamed in the tree alone, until the next load.
    if (node != rootNode() && !ExecSql(treeRenameStatement(binding_.columns, data.Index, caption)))
        return false;
    data.Caption = caption;
    const QSignalBlocker quiet(tree_);
    node->setText(0, caption);
    node->setData(0, kNodeDataRole, QVariant::fromValue(data));
    return true;
}

bool TTreeUtils::MoveNode(int target, QTreeWidgetItem* node) {
    if (!node || node == rootNode())
        return false;
    const int index = GetNodeData(node).Index;
    if (target == index || target == GetNodeData(node->parent()).Index)
        return false;
    if (holdsGroup(node, target))
        return false;
    return ExecSql(treeMoveStatement(binding_.columns, index, target));
}

bool TTreeUtils::DeleteNode(QTreeWidgetItem* node) {
    if (!node)
        return false;
    if (node == rootNode())
        throw Error(QStringLiteral("禁止删除根节目录！"));
    const int index = GetNodeData(node).Index;
    lastStatement_ = treeDeleteStatement(binding_.columns, index).text();
    try {
        TreeTable(database_, binding_.columns).deleteSubtree(uid(), index);
    } catch (const DatabaseError& error) {
        qWarning().noquote() << "tree statement:" << error.reason();
        return false;
    }
    const bool wasSelected = node->isSelected();
    QTreeWidgetItem* parent = node->parent();
    {
        const QSignalBlocker quiet(tree_);
        forgetNodes(node);
        delete node;
    }
    if (wasSelected && parent)
        tree_->setCurrentItem(parent);
    return true;
}

void TTreeUtils::forgetNodes(QTreeWidgetItem* top) {
    loadedNodes_.remove(GetNodeData(top).Index);
    for (int i = 0; i < top->childCount(); ++i)
        forgetNodes(top->child(i));
}

// The user's actions

void TTreeUtils::acAddExecute() {
    AddNode(edtCaption_->text());
}

void TTreeUtils::acAddChildExecute() {
    AddChildNode(edtCaption_->text());
}

void TTreeUtils::acEditExecute() {
    if (QTreeWidgetItem* node = selectedNode())
        tree_->editItem(node, 0);
}

void TTreeUtils::edited(QTreeWidgetItem* item) {
    RenameNode(item->text(0), item);
}

void TTreeUtils::setDeleteContents(DeleteContents deleteContents) {
    deleteContents_ = std::move(deleteContents);
}

void TTreeUtils::acDeleteExecute() {
    QTreeWidgetItem* node = selectedNode();
    if (!node)
        return;
    const TNodeData group = GetNodeData(node);
    const QString question = QStringLiteral("请注意！！将删除分类下全部内容。将不可恢复。您确认要删除\"") +
                             group.Caption + QStringLiteral("\"吗?");
    if (messages_.ask(tree_->window(),
                      QStringLiteral("提示"),
                      question,
                      MessageIcon::Question,
                      {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
        return;
    try {
        if (deleteContents_)
            deleteContents_(group);
        DeleteNode(node);
    } catch (const std::exception&) {
        // The screens show nothing when a part of the delete fails; what was done stays.
    }
}

void TTreeUtils::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (popupMenu_)
            popupMenu_->popup(tree_->viewport()->mapToGlobal(at));
    });
}

void TTreeUtils::selectionChanged() {
    QTreeWidgetItem* node = selectedNode();
    if (!node)
        return;
    Q_EMIT nodeSelected(GetNodeData(node), GetNodeData(node->parent()));
}

// Drag and drop

void TTreeUtils::acceptDropsFrom(QWidget* source) {
    dropSources_.append(source);
}

bool TTreeUtils::acceptsDragFrom(const QObject* source) const {
    if (!source)
        return false;
    if (source == tree_)
        return true;
    for (const QPointer<QWidget>& accepted : dropSources_)
        if (accepted && accepted == source)
            return true;
    return false;
}

void TTreeUtils::dropOn(QTreeWidgetItem* target, QObject* source) {
    if (!target || !acceptsDragFrom(source))
        return;
    const int targetIndex = GetNodeData(target).Index;
    if (messages_.ask(tree_->window(),
                      QStringLiteral("提示"),
                      binding_.moveQuestion,
                      MessageIcon::Question,
                      {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
        return;
    if (source == tree_) {
        if (MoveNode(targetIndex, selectedNode()))
            LoadTree();
        return;
    }
    Q_EMIT droppedFrom(source, targetIndex);
}

bool TTreeUtils::eventFilter(QObject* watched, QEvent* event) {
    // Compared with the pointer kept at construction: events still arrive while the tree is
    // being destroyed, when it can no longer be asked for its viewport.
    if (watched != viewport_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A left click on the node already selected changes no selection; its release reports
        // the node again (itemClicked), so that the screen lists the group again.
        const auto* press = static_cast<QMouseEvent*>(event);
        QTreeWidgetItem* item = tree_->itemAt(press->position().toPoint());
        pressedSelected_ = press->button() == Qt::LeftButton && item && item == selectedNode() ? item : nullptr;
        return QObject::eventFilter(watched, event);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (acceptsDragFrom(drag->source()) && tree_->itemAt(drag->position().toPoint())) {
            // The drag moves nothing itself: the table changes and the tree reloads.
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QTreeWidgetItem* target = tree_->itemAt(drop->position().toPoint());
        if (!target || !acceptsDragFrom(drop->source())) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The question is asked once the drag has ended, not inside it.
        const int targetIndex = GetNodeData(target).Index;
        const QPointer<QObject> source = drop->source();
        QMetaObject::invokeMethod(
            this,
            [this, targetIndex, source] {
                if (source)
                    dropOn(targetIndex == 0 ? rootNode() : findNode(targetIndex), source);
            },
            Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace parlumo
