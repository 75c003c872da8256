#include "sms/replies_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "service/query.h"
#include "sms/reply_box.h"
#include "sms/reply_fetch.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/record_grid.h"
#include "widgets/spreadsheet_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace parlumo {

namespace {

constexpr int kPollMs = 8000;

QLineEdit* detailField(const QString& name, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setReadOnly(true);
    return edit;
}

RecordListConfig repliesList() {
    RecordListConfig config;
    config.columns = {{QStringLiteral("mobno"), QStringLiteral("手机号码"), 12},
                      {QStringLiteral("tname"), QStringLiteral("姓名"), 12},
                      {QStringLiteral("msp"), QStringLiteral("端口"), 15},
                      {QStringLiteral("intime"), QStringLiteral("回复时间"), 18},
                      {QStringLiteral("msg"), QStringLiteral("回内容"), 58}};
    config.keyField = QStringLiteral("bid");
    config.numbersField = QStringLiteral("mobno");
    return config;
}

const QList<ExportColumn> kExportColumns{
    {QStringLiteral("回复手机号码"), QStringLiteral("mobno")},
    {QStringLiteral("名片夹姓名"), QStringLiteral("tname")},
    {QStringLiteral("端口"), QStringLiteral("msp")},
    {QStringLiteral("回复时间"), QStringLiteral("intime")},
    {QStringLiteral("回复内容"), QStringLiteral("msg")},
};

} // namespace

TForm6::TForm6(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm6"), QStringLiteral("接收回复短信"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->addWidget(buildSearch());
    wwDBGrid1 = named(new QTableView(this), QStringLiteral("wwDBGrid1"));
    column->addWidget(wwDBGrid1, 1);
    column->addWidget(buildActions());
    column->addWidget(buildDetail());

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(kPollMs);
    grid_ = new RecordGrid(*services_.database,
                           repliesList(),
                           RecordGridControls{wwDBGrid1, allmobno, selmobno, CheckBox1},
                           this);
    connectHandlers();
}

TForm6::~TForm6() {
    stopWorkers();
}

QWidget* TForm6::buildSearch() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    LbSpeedButton1 = namedButton(QStringLiteral("LbSpeedButton1"), QStringLiteral("刷新接收"), bar);
    LbSpeedButton1->setMinimumWidth(96);
    row->addWidget(LbSpeedButton1);
    row->addStretch();
    ComboBox1 = named(new QComboBox(bar), QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("按号码"), QStringLiteral("按内容")});
    row->addWidget(ComboBox1);
    keystr = named(new QLineEdit(bar), QStringLiteral("keystr"));
    keystr->setMaxLength(20);
    keystr->setFixedWidth(180);
    row->addWidget(keystr);
    btsch = namedButton(QStringLiteral("btsch"), QStringLiteral("查找"), bar);
    row->addWidget(btsch);
    return bar;
}

QWidget* TForm6::buildActions() {
    auto* bar = new QWidget(this);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 0, 0, 0);
    RecordNavigationControls navigation;
    QHBoxLayout* row = recordNavigationRow(bar, QStringLiteral("条"), navigation);
    column->addLayout(row);
    allmobno = navigation.allmobno;
    selmobno = navigation.selmobno;
    CheckBox1 = navigation.selectAll;
    btpv = navigation.previous;
    btnt = navigation.next;
    btsend = namedButton(QStringLiteral("btsend"), QStringLiteral("发短信"), bar);
    btde = namedButton(QStringLiteral("btde"), QStringLiteral("&D删除"), bar);
    btexou = namedButton(QStringLiteral("btexou"), QStringLiteral("Excel导出"), bar);
    for (QPushButton* b : {btsend, btde, btexou})
        row->addWidget(b);
    return bar;
}

QWidget* TForm6::buildDetail() {
    auto* box = new QGroupBox(QStringLiteral("回复详细信息"), this);
    auto* grid = new QGridLayout(box);
    replyNumber = detailField(QStringLiteral("replyNumber"), box);
    replyTime = detailField(QStringLiteral("replyTime"), box);
    replyPort = detailField(QStringLiteral("replyPort"), box);
    replyName = detailField(QStringLiteral("replyName"), box);
    replyText = named(new QPlainTextEdit(box), QStringLiteral("replyText"));
    replyText->setReadOnly(true);
    replyText->setFixedHeight(56);
    grid->addWidget(new QLabel(QStringLiteral("回复手机号码"), box), 0, 0);
    grid->addWidget(replyNumber, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("回复时间"), box), 0, 2);
    grid->addWidget(replyTime, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("端口"), box), 1, 0);
    grid->addWidget(replyPort, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("姓名"), box), 1, 2);
    grid->addWidget(replyName, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("回复内容"), box), 2, 0, Qt::AlignTop);
    grid->addWidget(replyText, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

void TForm6::connectHandlers() {
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm6::LbSpeedButton1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    connect(btsch, &QPushButton::clicked, this, &TForm6::btschClick);
    connect(btpv, &QPushButton::clicked, this, &TForm6::btpvClick);
    connect(btnt, &QPushButton::clicked, this, &TForm6::btntClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm6::CheckBox1Click);
    connect(btsend, &QPushButton::clicked, this, &TForm6::btsendClick);
    connect(btde, &QPushButton::clicked, this, &TForm6::btdeClick);
    connect(btexou, &QPushButton::clicked, this, &TForm6::btexouClick);
    connect(grid_, &RecordGrid::currentChanged, this, &TForm6::showDetail);
}

// Restoring a minimised window shows it again without the screen becoming visible anew.
void TForm6::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm6::FormShow() {
    try {
        grid_->open(repliesStatement(services_.account->get().uid));
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
    Timer1->start();
}

void TForm6::LbSpeedButton1Click() {
    startFetch();
}

void TForm6::Timer1Timer() {
    startFetch();
}

// One fetch at a time: a click or a tick while one is on its way starts nothing.
void TForm6::startFetch() {
    if (fetch_)
        return;
    const AccountFields account = services_.account->get();
    const QueryUrl url = QueryUrl(services_.addresses.host, QStringLiteral("/sys_port/Gateway/mo.asp"))
                             .add(QStringLiteral("id"), account.uid.trimmed())
                             .add(QStringLiteral("pwd"), account.pwd.trimmed());
    auto* fetch = new ReplyFetchThread(url.text(), this);
    connect(fetch, &ReplyFetchThread::answered, this, &TForm6::store);
    connect(fetch, &ReplyFetchThread::failed, this, &TForm6::endFetch);
    connect(fetch, &QThread::finished, this, [this, fetch] {
        fetch_ = nullptr;
        fetch->deleteLater();
    });
    fetch_ = fetch;
    fetch->start();
}

// An answer without records changes nothing, so the poll goes on. Otherwise the replies are
// stored in order up to the first that cannot be read or stored.
void TForm6::store(const QString& answer) {
    if (!holdsReplies(answer))
        return;
    const QString uid = services_.account->get().uid;
    for (const ReceivedReply& reply : readReplyBox(answer).replies) {
        try {
            services_.database->execute(storeReplyStatement(uid, reply));
        } catch (const DatabaseError&) {
            break;
        }
    }
    endFetch();
}

// After replies or a failure: the list is read again and the poll stops, without a message.
void TForm6::endFetch() {
    try {
        grid_->open(repliesStatement(services_.account->get().uid));
    } catch (const DatabaseError&) {
    }
    Timer1->stop();
}

void TForm6::searchQuery() {
    const ReplySearch by = ComboBox1->currentIndex() == 1 ? ReplySearch::ByText : ReplySearch::ByNumber;
    grid_->open(repliesSearchStatement(services_.account->get().uid, by, keystr->text().trimmed()));
}

void TForm6::btschClick() {
    try {
        searchQuery();
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
}

void TForm6::btpvClick() {
    grid_->previous();
}

void TForm6::btntClick() {
    grid_->next();
}

void TForm6::CheckBox1Click() {
    grid_->setAllTicked(CheckBox1->isChecked());
}

void TForm6::btsendClick() {
    if (grid_->tickedCount() == 0) {
        services_.messages->inform(
            this, QStringLiteral("提示"), QStringLiteral("请选择记录！"), MessageIcon::Warning);
        return;
    }
    QStringList numbers;
    try {
        numbers = grid_->model().tickedNumbers();
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
        return;
    }
    Q_EMIT smsRequested(numbers);
}

// Deletes the current reply, not the ticked ones, without a question; errors are ignored.
void TForm6::btdeClick() {
    if (!grid_->hasCurrent())
        return;
    try {
        services_.database->execute(deleteReplyStatement(grid_->currentKey()));
        searchQuery();
    } catch (const DatabaseError&) {
    }
}

void TForm6::btexouClick() {
    SpreadsheetExport(*services_.messages, *services_.fileDialogs)
        .exportRecords(this, *services_.database, grid_->statement(), kExportColumns);
}

void TForm6::showDetail() {
    replyNumber->setText(grid_->currentValue(QStringLiteral("mobno")).toString());
    replyTime->setText(grid_->currentValue(QStringLiteral("intime")).toString());
    replyText->setPlainText(grid_->currentValue(QStringLiteral("msg")).toString());
    replyPort->setText(grid_->currentValue(QStringLiteral("msp")).toString());
    replyName->setText(grid_->currentValue(QStringLiteral("tname")).toString());
}

void TForm6::stopWorkers() {
    Timer1->stop();
    if (fetch_)
        fetch_->cancel();
}

} // namespace parlumo
