#include "contacts/address_book_screen.h"

#include "contacts/address_book_rules.h"
#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/record_grid.h"
#include "widgets/spreadsheet_export.h"
#include "widgets/tree_utils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

namespace parlumo {

namespace {

const QString kByName = QStringLiteral("按姓名");
const QString kByNumber = QStringLiteral("按号码");

const QString kEntryError = QStringLiteral("输入有误!");

const QList<ExportColumn> kExportColumns{
    {QStringLiteral("手机号码"), QStringLiteral("mobno")},
    {QStringLiteral("姓名"), QStringLiteral("tname")},
    {QStringLiteral("其它联系方式"), QStringLiteral("othertel")},
    {QStringLiteral("备注"), QStringLiteral("memo")},
};

} // namespace

TForm4::TForm4(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm4"), QStringLiteral("名片夹"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    row->addWidget(buildTree());
    auto* column = new QVBoxLayout;
    column->addWidget(buildSearch());
    wwDBGrid1 = named(new QTableView(this), QStringLiteral("wwDBGrid1"));
    column->addWidget(wwDBGrid1, 1);
    column->addWidget(buildActions());
    row->addLayout(column, 1);
    lblNodeCaption = hiddenLabel(QStringLiteral("lblNodeCaption"), QStringLiteral("请选择"), this);
    // The current group's number; 0 (no group) until a group of the tree is selected.
    lblNodeIndex = hiddenLabel(QStringLiteral("lblNodeIndex"), QStringLiteral("0"), this);
    lblParentCaption = hiddenLabel(QStringLiteral("lblParentCaption"), QStringLiteral("请选择"), this);
    lblParentIndex = hiddenLabel(QStringLiteral("lblParentIndex"), QStringLiteral("请选择"), this);
    RecordListConfig list = contactList();
    list.storeRow = [this](qint64 id, const QVariantMap& fields) { return storeContact(id, fields); };
    grid_ = new RecordGrid(*services_.database,
                           std::move(list),
                           RecordGridControls{wwDBGrid1, allmobno, selmobno, CheckBox1},
                           this);
    buildTreeBinding();
    connectHandlers();
}

QWidget* TForm4::buildTree() {
    auto* box = new QGroupBox(QStringLiteral("组别(右击操作)"), this);
    box->setFixedWidth(200);
    auto* column = new QVBoxLayout(box);
    TreeView1 = named(new QTreeWidget(box), QStringLiteral("TreeView1"));
    TreeView1->setToolTip(QStringLiteral("右键操作"));
    column->addWidget(TreeView1);
    return box;
}

QWidget* TForm4::buildSearch() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    ComboBox1 = named(new QComboBox(bar), QStringLiteral("ComboBox1"));
    ComboBox1->addItems({kByName, kByNumber});
    row->addWidget(ComboBox1);
    keystr = named(new QLineEdit(bar), QStringLiteral("keystr"));
    keystr->setMaxLength(20);
    row->addWidget(keystr, 1);
    btsch = namedButton(QStringLiteral("btsch"), QStringLiteral("查找"), bar);
    row->addWidget(btsch);
    return bar;
}

QWidget* TForm4::buildActions() {
    auto* bar = new QWidget(this);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 0, 0, 0);
    RecordNavigationControls navigation;
    column->addLayout(recordNavigationRow(bar, QStringLiteral("条记录"), navigation));
    allmobno = navigation.allmobno;
    selmobno = navigation.selmobno;
    CheckBox1 = navigation.selectAll;
    btpv = navigation.previous;
    btnt = navigation.next;

    auto* actions = new QHBoxLayout;
    btsend = namedButton(QStringLiteral("btsend"), QStringLiteral("发短信"), bar);
    LbSpeedButton1 = namedButton(QStringLiteral("LbSpeedButton1"), QStringLiteral("发彩信"), bar);
    btadd = namedButton(QStringLiteral("btadd"), QStringLiteral("&A新增"), bar);
    btde = namedButton(QStringLiteral("btde"), QStringLiteral("&D删除"), bar);
    btexin = namedButton(QStringLiteral("btexin"), QStringLiteral("Excel 导入"), bar);
    btexou = namedButton(QStringLiteral("btexou"), QStringLiteral("Excel导出"), bar);
    for (QPushButton* b : {btsend, LbSpeedButton1})
        actions->addWidget(b);
    actions->addStretch();
    for (QPushButton* b : {btadd, btde, btexin, btexou})
        actions->addWidget(b);
    column->addLayout(actions);
    return bar;
}

void TForm4::buildTreeBinding() {
    TreeBinding binding;
    binding.columns.table = QStringLiteral("tel");
    binding.moveQuestion = QStringLiteral("您确认要移动到目录吗？");
    tree_ = new TTreeUtils(
        TreeView1, binding, *services_.database, *services_.account, *services_.messages, this);
    PopupMenu1 = named(new QMenu(this), QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({tree_->acAdd(), tree_->acAddChild(), tree_->acEdit()});
    connect(PopupMenu1->addAction(QStringLiteral("导入数据")), &QAction::triggered, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form4"));
    });
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(tree_->acDelete());
    tree_->setPopupMenu(PopupMenu1);
    tree_->setDeleteContents([this](const TNodeData& group) { deleteGroupContents(group); });
    tree_->acceptDropsFrom(wwDBGrid1);
}

void TForm4::connectHandlers() {
    connect(tree_, &TTreeUtils::nodeSelected, this, &TForm4::TreeView1Change);
    connect(tree_, &TTreeUtils::droppedFrom, this, [this](QObject*, int target) { moveTickedTo(target); });
    connect(btsch, &QPushButton::clicked, this, &TForm4::btschClick);
    connect(keystr, &QLineEdit::returnPressed, this, &TForm4::btschClick);
    connect(btadd, &QPushButton::clicked, this, &TForm4::btaddClick);
    connect(btde, &QPushButton::clicked, this, &TForm4::btdeClick);
    connect(btpv, &QPushButton::clicked, this, &TForm4::btpvClick);
    connect(btnt, &QPushButton::clicked, this, &TForm4::btntClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm4::CheckBox1Click);
    connect(btsend, &QPushButton::clicked, this, &TForm4::btsendClick);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm4::LbSpeedButton1Click);
    connect(btexou, &QPushButton::clicked, this, &TForm4::btexouClick);
    connect(grid_, &RecordGrid::enterPressed, this, &TForm4::wwDBGrid1KeyPress);
    connect(
        grid_, &RecordGrid::postFailed, this, [this] { services_.messages->showMessage(this, kEntryError); });
    connect(btexin, &QPushButton::clicked, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form4"));
    });
}

QString TForm4::uid() const {
    return services_.account->get().uid.trimmed();
}

int TForm4::groupId() const {
    return lblNodeIndex->text().trimmed().toInt();
}

// Restoring a minimised window shows it again without the screen becoming visible anew.
void TForm4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm4::FormShow() {
    tree_->LoadTree();
    showList(contactsOfGroup(uid(), 0));
}

void TForm4::stopWorkers() {
    tree_->stopLoads();
}

void TForm4::showList(const SqlText& statement) {
    try {
        grid_->open(statement);
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
}

void TForm4::reopenQuietly() {
    try {
        grid_->reopen();
    } catch (const DatabaseError&) {
    }
}

void TForm4::TreeView1Change(const TNodeData& node, const TNodeData& parent) {
    lblNodeCaption->setText(node.Caption);
    lblNodeIndex->setText(QString::number(node.Index));
    lblParentCaption->setText(parent.Caption);
    lblParentIndex->setText(QString::number(parent.Index));
    showList(contactsOfGroup(uid(), groupId()));
}

void TForm4::btschClick() {
    showList(contactSearch(uid(), ComboBox1->currentText() == kByName, keystr->text()));
}

// The new row carries the account and the group selected now.
void TForm4::btaddClick() {
    if (!grid_->postOrCancel())
        return;
    const int row =
        grid_->model().appendNewRow({{QStringLiteral("uid"), uid()}, {QStringLiteral("tid"), groupId()}});
    grid_->setCurrentRow(row);
}

void TForm4::wwDBGrid1KeyPress() {
    RecordListModel& model = grid_->model();
    switch (checkContactNumber(grid_->currentValue(QStringLiteral("mobno")).toString())) {
    case ContactNumberCheck::Empty:
        services_.messages->showMessage(this, kEntryError);
        model.cancel();
        return;
    case ContactNumberCheck::NotANumber:
        services_.messages->showMessage(this, QStringLiteral("手机号码请输入数字"));
        model.cancel();
        return;
    case ContactNumberCheck::Accepted:
        grid_->postOrCancel();
        return;
    }
}

// A new row (id 0) is inserted for the account and group it carries; a listed one is updated.
qint64 TForm4::storeContact(qint64 id, const QVariantMap& fields) {
    const ContactRow row{fields.value(QStringLiteral("mobno")).toString(),
                         fields.value(QStringLiteral("tname")).toString(),
                         fields.value(QStringLiteral("othertel")).toString(),
                         fields.value(QStringLiteral("memo")).toString()};
    if (id != 0) {
        updateContactRow(*services_.database, id, row);
        return id;
    }
    return insertContactRow(*services_.database,
                            fields.value(QStringLiteral("uid")).toString(),
                            fields.value(QStringLiteral("tid")).toLongLong(),
                            row);
}

bool TForm4::haveTicked() {
    if (grid_->tickedCount() > 0)
        return true;
    services_.messages->inform(
        this, QStringLiteral("提示"), QStringLiteral("请选择记录！"), MessageIcon::Warning);
    return false;
}

void TForm4::btsendClick() {
    if (!haveTicked())
        return;
    QStringList numbers;
    try {
        numbers = grid_->model().tickedNumbers();
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
        return;
    }
    Q_EMIT smsRequested(numbers);
}

void TForm4::LbSpeedButton1Click() {
    if (!haveTicked())
        return;
    try {
        Q_EMIT mmsRequested(grid_->model().tickedNumbers());
    } catch (const DatabaseError&) {
    }
}

// Deletes the ticked contacts without a question, in one transaction; an error ends the
// deletion silently and what was deleted before it stays deleted.
void TForm4::btdeClick() {
    if (grid_->tickedCount() == 0) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("记录为空.请选择记录！"), MessageIcon::Warning);
        return;
    }
    const QList<qint64> keys = grid_->model().tickedKeys();
    Database& database = *services_.database;
    try {
        database.connection().transaction();
        for (qint64 id : keys)
            database.execute(deleteContact(uid(), id));
    } catch (const DatabaseError&) {
    }
    database.connection().commit();
    grid_->setAllTicked(false);
    reopenQuietly();
}

void TForm4::btpvClick() {
    grid_->previous();
}

void TForm4::btntClick() {
    grid_->next();
}

void TForm4::CheckBox1Click() {
    grid_->setAllTicked(CheckBox1->isChecked());
}

void TForm4::btexouClick() {
    SpreadsheetExport(*services_.messages, *services_.fileDialogs)
        .exportRecords(this, *services_.database, grid_->statement(), kExportColumns);
}

// The ticked contacts, in tick order, are filed into the group; a failure skips the rest
// silently. Contacts moved out of the listed group leave the list.
void TForm4::moveTickedTo(int group) {
    try {
        for (qint64 id : grid_->model().tickedKeys())
            services_.database->execute(moveContactToGroup(group, id));
    } catch (const DatabaseError&) {
        return;
    }
    grid_->setAllTicked(false);
    reopenQuietly();
}

// "删除分类": the account's contacts filed directly in the group go (for the root, those in no
// group), then all that are left are listed; the tree then deletes the group and its subgroups,
// whose contacts stay.
void TForm4::deleteGroupContents(const TNodeData& group) {
    services_.database->execute(deleteContactsOfGroup(uid(), group.Index));
    grid_->open(contactsOfGroup(uid(), 0));
}

void TForm4::appendContacts(const QList<ContactRow>& rows, bool* stored) {
    try {
        insertContactRows(*services_.database, uid(), groupId(), rows);
        *stored = true;
    } catch (const DatabaseError& error) {
        // The import reports the failure to the user; the reason is for whoever looks closer.
        std::fprintf(stderr, "address book: %s\n", qPrintable(error.reason()));
        *stored = false;
        return;
    }
    reopenQuietly();
}

} // namespace parlumo
