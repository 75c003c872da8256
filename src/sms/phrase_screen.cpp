#include "sms/phrase_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "sms/phrase_statements.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/tree_utils.h"

#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

constexpr int kPhraseIdRole = Qt::UserRole;

} // namespace

TForm5::TForm5(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm5"), QStringLiteral("短语管理"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    row->addWidget(buildTree(), 1);
    row->addWidget(buildList(), 3);
    lblNodeCaption = hiddenLabel(QStringLiteral("lblNodeCaption"), QStringLiteral("请选择"), this);
    lblNodeIndex = hiddenLabel(QStringLiteral("lblNodeIndex"), QStringLiteral("0"), this);
    lblParentCaption = hiddenLabel(QStringLiteral("lblParentCaption"), QStringLiteral("请选择"), this);
    lblParentIndex = hiddenLabel(QStringLiteral("lblParentIndex"), QStringLiteral("请选择"), this);

    TreeBinding binding;
    binding.columns.table = QStringLiteral("mb");
    binding.moveQuestion = QStringLiteral("您确认要移动目录吗？");
    tree_ = new TTreeUtils(
        TreeView1, binding, *services_.database, *services_.account, *services_.messages, this);
    PopupMenu1 = named(new QMenu(this), QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({tree_->acAdd(), tree_->acAddChild(), tree_->acEdit(), tree_->acDelete()});
    tree_->setPopupMenu(PopupMenu1);
    tree_->setDeleteContents([this](const TNodeData& group) { deleteCategoryContents(group); });
    connectHandlers();
}

QWidget* TForm5::buildTree() {
    auto* box = new QGroupBox(QStringLiteral("组别(右击操作)"), this);
    auto* column = new QVBoxLayout(box);
    TreeView1 = named(new QTreeWidget(box), QStringLiteral("TreeView1"));
    TreeView1->setToolTip(QStringLiteral("右击操作分类"));
    column->addWidget(TreeView1);
    return box;
}

QWidget* TForm5::buildList() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    auto* search = new QHBoxLayout;
    keystr = named(new QLineEdit(area), QStringLiteral("keystr"));
    keystr->setMaxLength(20);
    search->addWidget(keystr, 1);
    btschsfw34234 = namedButton(QStringLiteral("btschsfw34234"), QStringLiteral("查找"), area);
    search->addWidget(btschsfw34234);
    column->addLayout(search);

    DBGrid1 = named(new QTableWidget(0, 1, area), QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("短语管理 (双击即可选中)")});
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setWordWrap(false);
    column->addWidget(DBGrid1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btsend = namedButton(QStringLiteral("btsend"), QStringLiteral("&T选择"), area);
    btadd = namedButton(QStringLiteral("btadd"), QStringLiteral("&A新增"), area);
    btde = namedButton(QStringLiteral("btde"), QStringLiteral("&D删除"), area);
    for (QPushButton* b : {btsend, btadd, btde})
        buttons->addWidget(b);
    column->addLayout(buttons);

    PopupMenu2 = named(new QMenu(this), QStringLiteral("PopupMenu2"));
    connect(
        PopupMenu2->addAction(QStringLiteral("至：短信")), &QAction::triggered, this, &TForm5::btsendClick);
    connect(PopupMenu2->addAction(QStringLiteral("至：彩信")),
            &QAction::triggered,
            this,
            &TForm5::phraseToMmsClick);
    connect(PopupMenu2->addAction(QStringLiteral("至：语音")),
            &QAction::triggered,
            this,
            &TForm5::phraseToVoiceClick);
    connect(PopupMenu2->addAction(QStringLiteral("添加")), &QAction::triggered, this, &TForm5::btaddClick);
    connect(PopupMenu2->addAction(QStringLiteral("删除")), &QAction::triggered, this, &TForm5::btdeClick);
    return area;
}

void TForm5::connectHandlers() {
    connect(tree_, &TTreeUtils::nodeSelected, this, &TForm5::TreeView1Change);
    connect(btschsfw34234, &QPushButton::clicked, this, &TForm5::btschsfw34234Click);
    connect(keystr, &QLineEdit::returnPressed, this, &TForm5::btschsfw34234Click);
    connect(btsend, &QPushButton::clicked, this, &TForm5::btsendClick);
    connect(btadd, &QPushButton::clicked, this, &TForm5::btaddClick);
    connect(btde, &QPushButton::clicked, this, &TForm5::btdeClick);
    // A click on a phrase opens the phrase menu where the mouse is, once it is clear that the
    // click is not the first of a double click: an open menu would take the second click.
    menuDelay_ = new QTimer(this);
    menuDelay_->setSingleShot(true);
    connect(DBGrid1, &QTableWidget::cellClicked, this, [this] {
        menuPosition_ = QCursor::pos();
        menuDelay_->start(QApplication::doubleClickInterval());
    });
    connect(menuDelay_, &QTimer::timeout, this, [this] { PopupMenu2->popup(menuPosition_); });
    connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, [this] {
        menuDelay_->stop();
        btsendClick();
    });
}

QString TForm5::uid() const {
    return services_.account->get().uid.trimmed();
}

int TForm5::groupId() const {
    return lblNodeIndex->text().trimmed().toInt();
}

void TForm5::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm5::FormShow() {
    tree_->LoadTree();
    showList(newestPhrasesStatement(uid()));
}

void TForm5::stopWorkers() {
    tree_->stopLoads();
}

void TForm5::runList(const SqlText& statement) {
    lastQuery_ = statement;
    DBGrid1->setRowCount(0);
    QSqlQuery rows = services_.database->execute(statement);
    QList<QTableWidgetItem*> items;
    while (rows.next()) {
        auto* item = new QTableWidgetItem(rows.value(1).toString());
        item->setData(kPhraseIdRole, rows.value(0).toLongLong());
        items.append(item);
    }
    DBGrid1->setRowCount(static_cast<int>(items.size()));
    for (int i = 0; i < items.size(); ++i)
        DBGrid1->setItem(i, 0, items[i]);
    if (!items.isEmpty())
        DBGrid1->setCurrentCell(0, 0);
}

void TForm5::showList(const SqlText& statement) {
    try {
        runList(statement);
    } catch (const DatabaseError& error) {
        services_.messages->inform(this, kApplicationTitle, error.reason(), MessageIcon::Critical);
    }
}

void TForm5::refreshList() {
    showList(lastQuery_);
}

void TForm5::TreeView1Change(const TNodeData& node, const TNodeData& parent) {
    lblNodeCaption->setText(node.Caption);
    lblNodeIndex->setText(QString::number(node.Index));
    lblParentCaption->setText(parent.Caption);
    lblParentIndex->setText(QString::number(parent.Index));
    showList(categoryPhrasesStatement(uid(), groupId()));
}

void TForm5::btschsfw34234Click() {
    showList(phraseSearchStatement(uid(), keystr->text()));
}

QString TForm5::selectedPhrase() const {
    const QTableWidgetItem* item = DBGrid1->item(DBGrid1->currentRow(), 0);
    return item ? item->text() : QString();
}

void TForm5::btsendClick() {
    if (DBGrid1->currentRow() >= 0)
        Q_EMIT phraseForSms(selectedPhrase());
}

void TForm5::phraseToMmsClick() {
    if (DBGrid1->currentRow() >= 0)
        Q_EMIT phraseForMms(selectedPhrase());
}

void TForm5::phraseToVoiceClick() {
    if (DBGrid1->currentRow() >= 0)
        Q_EMIT phraseForVoice(selectedPhrase());
}

void TForm5::btaddClick() {
    Q_EMIT phraseEditRequested(groupId());
}

void TForm5::btdeClick() {
    const int row = DBGrid1->currentRow();
    if (row < 0)
        return;
    try {
        services_.database->execute(
            deletePhraseStatement(DBGrid1->item(row, 0)->data(kPhraseIdRole).toLongLong()));
        DBGrid1->removeRow(row);
    } catch (const DatabaseError& error) {
        services_.messages->inform(this, kApplicationTitle, error.reason(), MessageIcon::Critical);
    }
}

// "删除分类": the account's own phrases of exactly this category go, then the list shows the
// account's phrases; the tree then deletes the category and its sub-categories.
void TForm5::deleteCategoryContents(const TNodeData& group) {
    services_.database->execute(deleteCategoryPhrasesStatement(uid(), group.Index));
    runList(ownPhrasesStatement(uid()));
}

} // namespace parlumo
