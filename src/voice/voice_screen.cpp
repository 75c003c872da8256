#include "voice/voice_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"
#include "voice/direct_call_page.h"
#include "voice/voice_task_page.h"
#include "widgets/date_range_records.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const QString kTaskNode = QStringLiteral("语音短信");
const QString kCallNode = QStringLiteral("拔打电话");
const QString kRecordsNode = QStringLiteral("呼叫记录");

const QString kPoints = QStringLiteral(
    "语音群呼能做什么：\n"
    "• 一次提交，系统自动逐个拨打名单上的号码。\n"
    "• 播放系统合成的文字语音，或上传您自己的录音。\n"
    "• 被叫按 0 键即可转接您的人工座席。\n"
    "• 通知、催缴、回访、活动邀请都适用。\n"
    "• 在“呼叫记录”中随时查看每个号码的接听情况。");

DateRangeRecordsConfig recordsConfig() {
    DateRangeRecordsConfig c;
    c.table = QStringLiteral("vlist");
    c.keyField = QStringLiteral("vid");
    c.columns = {{QStringLiteral("snum"), QStringLiteral("任务编号"), 22},
                 {QStringLiteral("fcount"), QStringLiteral("数量"), 8},
                 {QStringLiteral("vfile"), QStringLiteral("语音文件"), 20},
                 {QStringLiteral("tag"), QStringLiteral("状态"), 8},
                 {QStringLiteral("intime"), QStringLiteral("时间"), 20}};
    c.exportColumns = {{QStringLiteral("编号"), QStringLiteral("snum")},
                       {QStringLiteral("数量"), QStringLiteral("fcount")},
                       {QStringLiteral("语音文件"), QStringLiteral("vfile")},
                       {QStringLiteral("状态"), QStringLiteral("tag")},
                       {QStringLiteral("时间"), QStringLiteral("intime")}};
    c.queryButton = {QStringLiteral("LbSpeedButton10"), QStringLiteral("查询")};
    c.exportButton = {QStringLiteral("LbSpeedButton11"), QStringLiteral("导出 excel")};
    c.gridCaption = QStringLiteral("点击下面查看详细清单");
    c.gridHint = QStringLiteral("点击下面查看详细清单");
    return c;
}

} // namespace

TForm12::TForm12(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm12"), QStringLiteral("语音服务"));
    auto* content = new QVBoxLayout;
    content->addWidget(buildHeader());
    ppc = named(new QStackedWidget(this), QStringLiteral("ppc"));
    tt1 = new VoiceTaskPage(services_, hm, ppc);
    tt4 = new DirectCallPage(services_, ppc);
    ppc->addWidget(tt1);
    ppc->addWidget(buildRecordsPage());
    ppc->addWidget(tt4);
    content->addWidget(ppc, 1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    row->addWidget(buildNavigation());
    row->addLayout(content, 1);

    connect(tt1, &VoiceTaskPage::addressBookRequested, this, &TForm12::addressBookRequested);
    connect(tt1, &VoiceTaskPage::spreadsheetImportRequested, this, &TForm12::spreadsheetImportRequested);
    connect(tt1, &VoiceTaskPage::phrasesRequested, this, &TForm12::phrasesRequested);
    connect(tt1, &VoiceTaskPage::accountChanged, this, &TForm12::accountChanged);
    connect(records_, &DateRangeRecords::recordClicked, this, [this] {
        Q_EMIT progressRequested(records_->currentValue(QStringLiteral("snum")).toString(),
                                 records_->currentValue(QStringLiteral("fcount")).toString());
    });
    connect(ppc, &QStackedWidget::currentChanged, this, [this] {
        if (ppc->currentWidget() == tt2)
            tt2Show();
    });
}

QWidget* TForm12::buildNavigation() {
    auto* box = new QWidget(this);
    box->setFixedWidth(200);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    tv1 = named(new QTreeWidget(box), QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    tv1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    root_ = new QTreeWidgetItem(tv1, {QStringLiteral("语音服务")});
    for (const QString& node : {kTaskNode, kCallNode, kRecordsNode})
        new QTreeWidgetItem(root_, {node});
    tv1->expandAll();
    connect(tv1, &QTreeWidget::currentItemChanged, this, &TForm12::tv1Change);
    column->addWidget(tv1, 1);
    Memo1 = named(new QPlainTextEdit(kPoints, box), QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    column->addWidget(Memo1, 1);
    return box;
}

QWidget* TForm12::buildHeader() {
    auto* Panel1 = named(new QWidget(this), QStringLiteral("Panel1"));
    Panel1->setMinimumHeight(32);
    auto* header = new QHBoxLayout(Panel1);
    header->setContentsMargins(0, 0, 0, 0);
    Label7 = named(new QLabel(QStringLiteral("被叫号码   (多个号码请 换行。区号+号码，手机不加 0 )"), Panel1),
                   QStringLiteral("Label7"));
    Label7->setStyleSheet(QStringLiteral("font-weight:bold;"));
    header->addWidget(Label7);
    header->addStretch();
    Label9 = named(new QLabel(QStringLiteral("号码数："), Panel1), QStringLiteral("Label9"));
    header->addWidget(Label9);
    hm = named(new QLineEdit(QStringLiteral("0"), Panel1), QStringLiteral("hm"));
    hm->setReadOnly(true);
    hm->setAlignment(Qt::AlignCenter);
    hm->setFixedWidth(80);
    header->addWidget(hm);
    return Panel1;
}

QWidget* TForm12::buildRecordsPage() {
    tt2 = named(new QWidget(ppc), QStringLiteral("tt2"));
    records_ = new DateRangeRecords(services_, recordsConfig(), tt2);
    records_->layout()->setContentsMargins(0, 0, 0, 0);
    return tt2;
}

void TForm12::appendNumbers(const QStringList& numbers) {
    tt1->appendNumbers(numbers);
}

void TForm12::setSpokenText(const QString& text) {
    tt1->setSpokenText(text);
}

void TForm12::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm12::FormShow() {
    tv1->expandAll();
}

void TForm12::tv1Change() {
    const QTreeWidgetItem* node = tv1->currentItem();
    if (!node || node == root_)
        return;
    const QString caption = node->text(0);
    QWidget* page = caption == kTaskNode ? static_cast<QWidget*>(tt1)
                    : caption == kCallNode ? static_cast<QWidget*>(tt4)
                                           : tt2;
    const bool numbersShown = page == tt1;
    for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Label9), static_cast<QWidget*>(hm)})
        w->setVisible(numbersShown);
    ppc->setCurrentWidget(page);
}

void TForm12::tt2Show() {
    records_->resetDates();
    records_->query();
}

} // namespace parlumo
