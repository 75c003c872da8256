#include "fax/fax_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "fax/fax_send_rules.h"
#include "toolkit/screen_setup.h"
#include "toolkit/typed_length_limit.h"
#include "widgets/date_range_records.h"
#include "widgets/number_memo.h"
#include "widgets/service_call.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

constexpr int kCoverFieldLength = 10;
constexpr int kTypedNumberLength = 17;

const QString kPromotion = QStringLiteral("为什么要选择传真群发：\n\n"
                                          "· 无需传真机和电话线，电脑上直接发送文档。\n\n"
                                          "· 一次提交，成百上千个号码同时发送。\n\n"
                                          "· 按号码计费，文档页数不限。\n\n"
                                          "· 每个号码的发送结果随时可查。");

const QString kFormats =
    QStringLiteral("支持的文件格式：RTF、Word、PowerPoint、PDF、图片（TIFF、JPG、GIF、BMP等）");

DateRangeRecordsConfig recordsConfig() {
    DateRangeRecordsConfig c;
    c.table = QStringLiteral("Faxlist");
    c.keyField = QStringLiteral("fid");
    c.columns = {{QStringLiteral("snum"), QStringLiteral("编号"), 14},
                 {QStringLiteral("fcount"), QStringLiteral("数量"), 6},
                 {QStringLiteral("faxno"), QStringLiteral("接收传真号"), 24},
                 {QStringLiteral("linkman"), QStringLiteral("收件人"), 10},
                 {QStringLiteral("subject"), QStringLiteral("文档名"), 12},
                 {QStringLiteral("faxfile"), QStringLiteral("传真文档"), 16},
                 {QStringLiteral("intime"), QStringLiteral("时间"), 18}};
    c.exportColumns = {{QStringLiteral("编号"), QStringLiteral("snum")},
                       {QStringLiteral("数量"), QStringLiteral("fcount")},
                       {QStringLiteral("接收号码"), QStringLiteral("faxno")},
                       {QStringLiteral("收件人"), QStringLiteral("linkman")},
                       {QStringLiteral("文档名称"), QStringLiteral("subject")},
                       {QStringLiteral("传真文件"), QStringLiteral("faxfile")},
                       {QStringLiteral("时间"), QStringLiteral("intime")}};
    c.queryButton = {QStringLiteral("LbSpeedButton5"), QStringLiteral("查询")};
    c.exportButton = {QStringLiteral("LbSpeedButton6"), QStringLiteral("导出记录 *.xls")};
    c.gridCaption = QStringLiteral("点击下面查看详细清单");
    c.gridHint = QStringLiteral("点击查看详细清单");
    return c;
}

QWidget* page(const QString& name, const QString& caption, QWidget* parent) {
    auto* p = named(new QWidget(parent), name);
    p->setWindowTitle(caption);
    return p;
}

QLineEdit* hiddenEdit(const QString& name, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->hide();
    return edit;
}

} // namespace

Tf_fax::Tf_fax(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("Tf_fax"), QStringLiteral("传真"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    row->addWidget(buildTree());

    auto* right = new QVBoxLayout;
    right->addWidget(buildHeader());
    ppc = named(new QStackedWidget(this), QStringLiteral("ppc"));
    ppc->addWidget(buildNewTask());
    ppc->addWidget(buildRecords());
    ppc->addWidget(buildReceiving());
    right->addWidget(ppc, 1);
    row->addLayout(right, 1);

    NumberMemoConfig memo;
    memo.count = CountRule::Lines;
    memo.memoExtraKeys = QStringLiteral(",");
    memo.entry = EntryRule::AreaCode;
    memo.entryExtraKeys = QStringLiteral(",");
    memo.fileFilter = QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*");
    numbers_ = new NumberMemo(this, faxno, hm, inmob, memo, *services_.messages, *services_.fileDialogs);
    numbers_->shareEntryKeys(select_faxfile);

    call_ = new ServiceCall(this);
    call_->setIndicator(sendProgress);
    connectHandlers();
    showFirstPage();
}

QWidget* Tf_fax::buildTree() {
    auto* column = new QWidget(this);
    column->setFixedWidth(180);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    tv1 = named(new QTreeWidget(column), QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    tv1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tv1->setFixedHeight(84);
    auto* root = new QTreeWidgetItem(tv1, {QStringLiteral("传真群发")});
    newTaskNode_ = new QTreeWidgetItem(root, {QStringLiteral("新建任务")});
    recordsNode_ = new QTreeWidgetItem(root, {QStringLiteral("传真记录")});
    receivingNode_ = new QTreeWidgetItem(root, {QStringLiteral("接收传真")});
    tv1->expandAll();
    layout->addWidget(tv1);

    Memo2 = named(new QPlainTextEdit(kPromotion, column), QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setStyleSheet(QStringLiteral("QPlainTextEdit{background:#f4f8fd;color:#33506e;}"));
    layout->addWidget(Memo2, 1);
    return column;
}

QWidget* Tf_fax::buildHeader() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("headerBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(QStringLiteral("#headerBar{background:#e8f0fb;border-radius:4px;}"));
    bar->setFixedHeight(44);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(10, 4, 10, 4);
    pageCaption_ = new QLabel(bar);
    pageCaption_->setStyleSheet(QStringLiteral("font-weight:bold;font-size:14px;color:#1f4f8f;"));
    row->addWidget(pageCaption_);
    row->addStretch();

    Panel6 = named(new QWidget(bar), QStringLiteral("Panel6"));
    auto* cover = new QHBoxLayout(Panel6);
    cover->setContentsMargins(0, 0, 0, 0);
    cover->addWidget(new QLabel(QStringLiteral("收件人 TO："), Panel6));
    men = named(new QLineEdit(Panel6), QStringLiteral("men"));
    men->setMaxLength(kCoverFieldLength);
    men->setFixedWidth(120);
    cover->addWidget(men);
    cover->addSpacing(16);
    cover->addWidget(new QLabel(QStringLiteral("标题 SUB："), Panel6));
    subjects = named(new QLineEdit(Panel6), QStringLiteral("subjects"));
    subjects->setMaxLength(kCoverFieldLength);
    subjects->setFixedWidth(120);
    cover->addWidget(subjects);
    row->addWidget(Panel6);
    return bar;
}

QWidget* Tf_fax::buildNewTask() {
    tt1 = page(QStringLiteral("tt1"), QStringLiteral("发送传真"), this);
    auto* grid = new QGridLayout(tt1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->addWidget(buildNumbers(tt1), 0, 0);
    auto* tools = new QVBoxLayout;
    tools->addWidget(buildOperations(tt1));
    tools->addStretch();
    grid->addLayout(tools, 0, 1);
    grid->addWidget(buildDocument(tt1), 1, 0, 1, 2);

    auto* sendRow = new QHBoxLayout;
    sendProgress = named(new QProgressBar(tt1), QStringLiteral("sendProgress"));
    sendRow->addWidget(sendProgress, 1);
    sendRow->addStretch();
    LbSpeedButton3 = namedButton(QStringLiteral("LbSpeedButton3"), QStringLiteral("发送传真"), tt1);
    LbSpeedButton3->setMinimumSize(140, 36);
    LbSpeedButton3->setStyleSheet(
        QStringLiteral("QPushButton{background:#1f6fd1;color:white;font-weight:bold;border-radius:4px;}"
                       "QPushButton:disabled{background:#9bb7dc;}"));
    sendRow->addWidget(LbSpeedButton3);
    grid->addLayout(sendRow, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);

    Edit4 = hiddenEdit(QStringLiteral("Edit4"), tt1);
    filename = hiddenEdit(QStringLiteral("filename"), tt1);
    return tt1;
}

QWidget* Tf_fax::buildNumbers(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("接收传真号码。分机号用逗号分隔  (多个号码请 换行)"), parent);
    auto* column = new QVBoxLayout(box);
    faxno = named(new QPlainTextEdit(box), QStringLiteral("faxno"));
    faxno->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(faxno, 1);
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("号码数："), box));
    hm = named(new QLineEdit(QStringLiteral("0"), box), QStringLiteral("hm"));
    hm->setReadOnly(true);
    hm->setAlignment(Qt::AlignCenter);
    hm->setFixedWidth(80);
    count->addWidget(hm);
    count->addStretch();
    column->addLayout(count);
    return box;
}

QWidget* Tf_fax::buildOperations(QWidget* parent) {
    auto* column = new QWidget(parent);
    column->setFixedWidth(200);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* entry =
        named(new QGroupBox(QStringLiteral("号码输入(区号+号码)"), column), QStringLiteral("GroupBox2"));
    auto* entryRows = new QGridLayout(entry);
    entryRows->addWidget(new QLabel(QStringLiteral("号码："), entry), 0, 0);
    inmob = named(new QLineEdit(entry), QStringLiteral("inmob"));
    inmob->setMaxLength(kTypedNumberLength);
    entryRows->addWidget(inmob, 0, 1);
    entryRows->addWidget(new QLabel(QStringLiteral("回车输入"), entry), 1, 1);
    layout->addWidget(entry);

    LbSpeedButton59 =
        namedButton(QStringLiteral("LbSpeedButton59"), QStringLiteral("从TEXT中提取号码"), column);
    layout->addWidget(LbSpeedButton59);

    auto* operations = named(new QGroupBox(QStringLiteral("操作"), column), QStringLiteral("GroupBox3"));
    auto* buttons = new QVBoxLayout(operations);
    LbSpeedButton9 = namedButton(QStringLiteral("LbSpeedButton9"), QStringLiteral("导出号码"), operations);
    LbSpeedButton12 = namedButton(QStringLiteral("LbSpeedButton12"), QStringLiteral("清空号码"), operations);
    LbSpeedButton11 = namedButton(QStringLiteral("LbSpeedButton11"), QStringLiteral("过滤重号"), operations);
    LbSpeedButton600 =
        namedButton(QStringLiteral("LbSpeedButton600"), QStringLiteral("删除选中号码"), operations);
    for (QPushButton* b : {LbSpeedButton9, LbSpeedButton12, LbSpeedButton11, LbSpeedButton600})
        buttons->addWidget(b);
    layout->addWidget(operations);
    return column;
}

QWidget* Tf_fax::buildDocument(QWidget* parent) {
    auto* box = named(new QGroupBox(QStringLiteral("传真文件"), parent), QStringLiteral("GroupBox5"));
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    select_faxfile = named(new QLineEdit(box), QStringLiteral("select_faxfile"));
    new TypedLengthLimit(select_faxfile, kTypedNumberLength);
    row->addWidget(select_faxfile, 1);
    LbSpeedButton1 = namedButton(QStringLiteral("LbSpeedButton1"), QStringLiteral("添加传真文件"), box);
    row->addWidget(LbSpeedButton1);
    column->addLayout(row);
    auto* note = new QLabel(kFormats, box);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color:#5a6b80;"));
    column->addWidget(note);
    return box;
}

QWidget* Tf_fax::buildRecords() {
    tt2 = page(QStringLiteral("tt2"), QStringLiteral("传真任务"), this);
    records_ = new DateRangeRecords(services_, recordsConfig(), tt2);
    records_->layout()->setContentsMargins(0, 0, 0, 0);
    return tt2;
}

QWidget* Tf_fax::buildReceiving() {
    tt3 = page(QStringLiteral("tt3"), QStringLiteral("接收传真"), this);
    auto* column = new QVBoxLayout(tt3);
    auto* text = new QLabel(QStringLiteral("您尚未开通传真接收功能..需要开通接电功能请与商务人员联系"), tt3);
    text->setWordWrap(true);
    text->setStyleSheet(QStringLiteral("font-size:14px;color:#8a4b08;"));
    column->addWidget(text);
    column->addStretch();
    return tt3;
}

void Tf_fax::connectHandlers() {
    connect(tv1, &QTreeWidget::currentItemChanged, this, &Tf_fax::tv1Change);
    // The cost follows the list, also when the count changes without a change signal of the memo
    // (the duplicates removed).
    connect(faxno, &QPlainTextEdit::textChanged, this, &Tf_fax::faxnoChange);
    connect(hm, &QLineEdit::textChanged, this, &Tf_fax::faxnoChange);
    connect(LbSpeedButton59, &QPushButton::clicked, numbers_, &NumberMemo::loadTextFile);
    connect(LbSpeedButton9, &QPushButton::clicked, this, &Tf_fax::LbSpeedButton9Click);
    connect(LbSpeedButton12, &QPushButton::clicked, numbers_, &NumberMemo::clear);
    connect(LbSpeedButton11, &QPushButton::clicked, numbers_, &NumberMemo::removeDuplicates);
    connect(LbSpeedButton600, &QPushButton::clicked, numbers_, &NumberMemo::deleteCaretLine);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &Tf_fax::LbSpeedButton1Click);
    connect(LbSpeedButton3, &QPushButton::clicked, this, &Tf_fax::LbSpeedButton3Click);
    connect(call_, &ServiceCall::answered, this, &Tf_fax::sendAnswered);
    connect(call_, &ServiceCall::failed, this, &Tf_fax::sendFailed);
    connect(records_, &DateRangeRecords::recordClicked, this, [this] {
        Q_EMIT progressRequested(records_->currentValue(QStringLiteral("snum")).toString(),
                                 records_->currentValue(QStringLiteral("fcount")).toString());
    });
}

void Tf_fax::showFirstPage() {
    tv1->setCurrentItem(newTaskNode_);
    showPage(tt1);
    Panel6->show();
}

void Tf_fax::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void Tf_fax::FormShow() {
    tv1->expandAll();
    records_->resetDates();
}

void Tf_fax::tv1Change() {
    const QTreeWidgetItem* node = tv1->currentItem();
    if (node == newTaskNode_) {
        showPage(tt1);
        Panel6->show();
    } else if (node == recordsNode_) {
        showPage(tt2);
        Panel6->hide();
    } else if (node == receivingNode_) {
        showPage(tt3);
        Panel6->hide();
    }
}

void Tf_fax::showPage(QWidget* shown) {
    pageCaption_->setText(shown->windowTitle());
    if (ppc->currentWidget() == shown)
        return;
    ppc->setCurrentWidget(shown);
    if (shown == tt2)
        tt2Show();
}

void Tf_fax::tt2Show() {
    records_->query();
}

void Tf_fax::faxnoChange() {
    Edit4->setText(faxCost(hm->text().toInt(), services_.account->get().fdj));
}

} // namespace parlumo
