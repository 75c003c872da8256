#include "sms/sent_log_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "data/text_files.h"
#include "sms/sent_log_queries.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/record_grid.h"
#include "widgets/spreadsheet_export.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

constexpr int kCodeRole = Qt::UserRole;

const QList<ExportColumn> kExportColumns{
    {QStringLiteral("手机号码"), QStringLiteral("mobno")},
    {QStringLiteral("状态"), QStringLiteral("tag")},
    {QStringLiteral("发送时间"), QStringLiteral("intime")},
    {QStringLiteral("短信内容"), QStringLiteral("msg")},
};

} // namespace

TForm8::TForm8(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm8"), QStringLiteral("发送记录"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->addWidget(buildTree());
    auto* column = new QVBoxLayout;
    column->addWidget(buildSearch());
    wwDBGrid1 = named(new QTableView(this), QStringLiteral("wwDBGrid1"));
    column->addWidget(wwDBGrid1, 1);
    column->addWidget(buildActions());
    column->addWidget(buildNumbers());
    row->addLayout(column, 1);
    grid_ = new RecordGrid(*services_.database,
                           sentLogList(),
                           RecordGridControls{wwDBGrid1, allmobno, selmobno, CheckBox1},
                           this);
    connectHandlers();
}

QWidget* TForm8::buildTree() {
    auto* box = new QGroupBox(QStringLiteral("组别"), this);
    box->setFixedWidth(190);
    auto* column = new QVBoxLayout(box);
    tv1 = named(new QTreeWidget(box), QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tv1, {QStringLiteral("短信发送记录[全部]")});
    root->setData(0, kCodeRole, sent_status::kAll);
    const struct {
        const char* caption;
        int code;
    } nodes[] = {{"发送成功", sent_status::kAccepted},
                 {"发送失败", sent_status::kFailed},
                 {"待发送", sent_status::kDraft}};
    for (const auto& node : nodes)
        new QTreeWidgetItem(root, {QString::fromUtf8(node.caption)});
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setData(0, kCodeRole, nodes[i].code);
    column->addWidget(tv1);
    return box;
}

QWidget* TForm8::buildSearch() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("查询:  从"), bar));
    sdate = dayPicker(QStringLiteral("sdate"), bar);
    row->addWidget(sdate);
    row->addWidget(new QLabel(QStringLiteral("日  至  "), bar));
    edate = dayPicker(QStringLiteral("edate"), bar);
    row->addWidget(edate);
    row->addWidget(new QLabel(QStringLiteral("日"), bar));
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("短信内容:"), bar));
    mobkey = named(new QLineEdit(bar), QStringLiteral("mobkey"));
    mobkey->setMaxLength(200);
    row->addWidget(mobkey, 1);
    btsch = namedButton(QStringLiteral("btsch"), QStringLiteral("查找"), bar);
    row->addWidget(btsch);
    return bar;
}

QWidget* TForm8::buildActions() {
    auto* bar = new QWidget(this);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 0, 0, 0);
    RecordNavigationControls navigation;
    column->addLayout(recordNavigationRow(bar, QStringLiteral("条"), navigation));
    allmobno = navigation.allmobno;
    selmobno = navigation.selmobno;
    CheckBox1 = navigation.selectAll;
    btpv = navigation.previous;
    btnt = navigation.next;

    auto* actions = new QHBoxLayout;
    btde = namedButton(QStringLiteral("btde"), QStringLiteral("&D删除"), bar);
    btsend = namedButton(QStringLiteral("btsend"), QStringLiteral("发短信"), bar);
    LbSpeedButton1 = namedButton(QStringLiteral("LbSpeedButton1"), QStringLiteral("发彩信"), bar);
    btexou = namedButton(QStringLiteral("btexou"), QStringLiteral("Excel导出"), bar);
    LbSpeedButton2 = namedButton(QStringLiteral("LbSpeedButton2"), QStringLiteral("导出号码.."), bar);
    LbSpeedButton5 = namedButton(QStringLiteral("LbSpeedButton5"), QStringLiteral("复制到粘帖板"), bar);
    resendFailed = namedButton(QStringLiteral("resendFailed"), QStringLiteral("重发失败的号码"), bar);
    actions->addStretch();
    for (QPushButton* b :
         {btde, btsend, resendFailed, LbSpeedButton1, btexou, LbSpeedButton2, LbSpeedButton5})
        actions->addWidget(b);
    column->addLayout(actions);
    return bar;
}

QWidget* TForm8::buildNumbers() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("手机号码"), box));
    DBMemo1 = named(new QPlainTextEdit(box), QStringLiteral("DBMemo1"));
    DBMemo1->setReadOnly(true);
    DBMemo1->setFixedHeight(72);
    column->addWidget(DBMemo1);
    return box;
}

void TForm8::connectHandlers() {
    // The selection, not the current item: focusing the tree makes an item current unselected.
    connect(tv1, &QTreeWidget::itemSelectionChanged, this, &TForm8::tv1Change);
    connect(btsch, &QPushButton::clicked, this, &TForm8::btschClick);
    connect(btpv, &QPushButton::clicked, this, &TForm8::btpvClick);
    connect(btnt, &QPushButton::clicked, this, &TForm8::btntClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm8::CheckBox1Click);
    connect(btde, &QPushButton::clicked, this, &TForm8::btdeClick);
    connect(btsend, &QPushButton::clicked, this, &TForm8::btsendClick);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm8::LbSpeedButton1Click);
    connect(btexou, &QPushButton::clicked, this, &TForm8::btexouClick);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &TForm8::LbSpeedButton2Click);
    connect(LbSpeedButton5, &QPushButton::clicked, this, &TForm8::LbSpeedButton5Click);
    connect(resendFailed, &QPushButton::clicked, this, &TForm8::resendFailedClick);
    connect(grid_, &RecordGrid::currentChanged, this, &TForm8::showNumbers);
}

// Restoring a minimised window shows it again without the screen becoming visible anew.
void TForm8::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// The newest batches are listed the first time only; afterwards the screen keeps its last list.
void TForm8::FormShow() {
    tv1->topLevelItem(0)->setExpanded(true);
    sdate->setDate(QDate::currentDate().addDays(-7));
    edate->setDate(QDate::currentDate());
    if (listed_)
        return;
    listed_ = true;
    try {
        grid_->open(newestSentStatement(services_.account->get().uid));
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
}

void TForm8::tv1Change() {
    const QTreeWidgetItem* node = tv1->currentItem();
    if (!node)
        return;
    try {
        grid_->open(sentByStatusStatement(services_.account->get().uid, node->data(0, kCodeRole).toInt()));
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
}

void TForm8::btschClick() {
    try {
        grid_->open(sentSearchStatement(
            services_.account->get().uid, sdate->date(), edate->date(), mobkey->text().trimmed()));
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
}

void TForm8::btpvClick() {
    grid_->previous();
}

void TForm8::btntClick() {
    grid_->next();
}

void TForm8::CheckBox1Click() {
    grid_->setAllTicked(CheckBox1->isChecked());
}

// Deletes the ticked batches without a question, in one transaction; an error ends the deletion
// silently and what was deleted before it stays deleted.
void TForm8::btdeClick() {
    if (grid_->tickedCount() == 0) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("记录为空.请选择记录！"), MessageIcon::Warning);
        return;
    }
    const QList<qint64> keys = grid_->model().tickedKeys();
    Database& database = *services_.database;
    try {
        database.connection().transaction();
        for (qint64 sid : keys)
            database.execute(deleteSentStatement(sid));
    } catch (const DatabaseError&) {
    }
    database.connection().commit();
    grid_->setAllTicked(false);
    try {
        grid_->reopen();
    } catch (const DatabaseError&) {
    }
}

bool TForm8::tickedNumbers(QStringList& numbers, bool failedOnly) {
    if (grid_->tickedCount() == 0) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("请选择记录！"), MessageIcon::Warning);
        return false;
    }
    try {
        const RecordListModel& list = grid_->model();
        for (const QStringList& batch :
             list.tickedRecords({list.config().numbersField, QStringLiteral("tag")}))
            if (!failedOnly || isFailedBatch(batch[1]))
                numbers << numbersOfBatch(batch[0]);
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
        return false;
    }
    return true;
}

void TForm8::btsendClick() {
    QStringList numbers;
    if (tickedNumbers(numbers))
        Q_EMIT smsRequested(numbers);
}

void TForm8::resendFailedClick() {
    QStringList numbers;
    if (!tickedNumbers(numbers, true))
        return;
    if (numbers.isEmpty()) {
        services_.messages->inform(this,
                                   QStringLiteral("提示"),
                                   QStringLiteral("选中的记录里没有发送失败的号码！"),
                                   MessageIcon::Warning);
        return;
    }
    Q_EMIT smsRequested(numbers);
}

void TForm8::LbSpeedButton1Click() {
    QStringList numbers;
    if (tickedNumbers(numbers))
        Q_EMIT mmsRequested(numbers);
}

void TForm8::btexouClick() {
    SpreadsheetExport(*services_.messages, *services_.fileDialogs)
        .exportRecords(this, *services_.database, grid_->statement(), kExportColumns);
}

// The numbers of the current batch go to the chosen name with ".text" after it.
void TForm8::LbSpeedButton2Click() {
    const QString chosen = services_.fileDialogs->saveFile(
        this, FileDialogRequest{QString(), QStringLiteral("*.txt|.txt|*.text|.text"), QString(), QString()});
    if (chosen.isEmpty())
        return;
    const QString path = chosen + QStringLiteral(".text");
    try {
        writeTextLines(path, numbersOfBatch(currentNumbers()));
    } catch (const Error& error) {
        services_.messages->showMessage(this, error.reason());
        return;
    }
    services_.messages->showMessage(this, QStringLiteral("成功导出至：") + path);
}

void TForm8::LbSpeedButton5Click() {
    QString numbers;
    try {
        numbers = numbersOfBatch(currentNumbers()).join(QLatin1Char('\n'));
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
        return;
    }
    QGuiApplication::clipboard()->setText(numbers);
    services_.messages->showMessage(this, QStringLiteral("已复制。按Ctrl+V粘贴号码。"));
}

// The numbers are read by key, so scrolling through the list never holds them all.
QString TForm8::currentNumbers() const {
    if (!grid_->hasCurrent())
        return {};
    QSqlQuery numbers = services_.database->execute(sentNumbersStatement(grid_->currentKey()));
    return numbers.next() ? numbers.value(0).toString() : QString();
}

void TForm8::showNumbers() {
    try {
        DBMemo1->setPlainText(currentNumbers());
    } catch (const DatabaseError&) {
        DBMemo1->clear();
    }
}

} // namespace parlumo
