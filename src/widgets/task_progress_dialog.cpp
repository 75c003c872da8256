#include "widgets/task_progress_dialog.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/conditions.h"
#include "data/database.h"
#include "service/http.h"
#include "service/task_progress.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "widgets/record_grid.h"
#include "widgets/service_call.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace parlumo {

namespace {

constexpr int kPollMs = 8000;
constexpr int kCountWidth = 64;

// The two counts stand over the blanks of this one label: the numbers after "共提交", the
// results after "已完成 ".
const QString kCountsCaption = QStringLiteral("共提交                       已完成 ");
const QString kSubmittedCaption = QStringLiteral("共提交");

QLineEdit* readOnlyField(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = named(new QLineEdit(text, parent), name);
    edit->setReadOnly(true);
    return edit;
}

RecordListConfig listConfig(const TaskProgressConfig& config) {
    RecordListConfig list;
    list.columns = config.columns;
    list.keyField = QStringLiteral("id");
    list.numbersField = config.numberColumn;
    list.tickable = false;
    return list;
}

} // namespace

QList<RecordColumn> progressListColumns(const QString& numberColumn, int numberWidth, int statusWidth) {
    return {{numberColumn, QStringLiteral("号码"), numberWidth},
            {QStringLiteral("flong"), QStringLiteral("通话时长"), 6},
            {QStringLiteral("tmoney"), QStringLiteral("消费"), 5},
            {QStringLiteral("tag"), QStringLiteral("状态"), statusWidth},
            {QStringLiteral("intime"), QStringLiteral("时间"), 15}};
}

QList<ExportColumn> progressExportColumns(const QString& numberColumn) {
    QList<ExportColumn> exported;
    for (const RecordColumn& column : progressListColumns(numberColumn, 0, 0))
        if (column.field != QStringLiteral("intime"))
            exported.append(ExportColumn{column.caption, column.field});
    return exported;
}

TaskProgressDialog::TaskProgressDialog(Services& services, TaskProgressConfig config, QWidget* parent)
    : QDialog(parent), services_(services), config_(std::move(config)) {
    nameScreen(this, config_.name, config_.caption);
    setModal(true);
    resize(680, 440);
    auto* column = new QVBoxLayout(this);
    snum_s = readOnlyField(QStringLiteral("snum_s"), QString(), this);
    snum_s->setFrame(false);
    column->addWidget(snum_s);
    column->addWidget(buildButtons());
    DBGrid1 = named(new QTableView(this), QStringLiteral("DBGrid1"));
    column->addWidget(DBGrid1, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    btsch = namedButton(QStringLiteral("btsch"), QStringLiteral("关 闭 窗 口"), this);
    closeRow->addWidget(btsch);
    column->addLayout(closeRow);

    Timer1 = named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(kPollMs);
    grid_ = new RecordGrid(*services_.database, listConfig(config_), RecordGridControls{DBGrid1, hm}, this);

    connect(addmob, &QPushButton::clicked, this, &TaskProgressDialog::addmobClick);
    connect(Timer1, &QTimer::timeout, this, &TaskProgressDialog::Timer1Timer);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &TaskProgressDialog::LbSpeedButton2Click);
    connect(btsch, &QPushButton::clicked, this, &TaskProgressDialog::btschClick);

    poll_ = new ServiceCall(this);
    connect(poll_, &ServiceCall::answered, this, [this](const QString& answer) {
        store(polledTask_, answer);
        Q_EMIT pollEnded();
    });
    connect(poll_, &ServiceCall::failed, this, &TaskProgressDialog::pollEnded);
}

TaskProgressDialog::~TaskProgressDialog() {
    stopWorkers();
}

QWidget* TaskProgressDialog::buildCounts() {
    auto* counts = new QWidget(this);
    auto* label = new QLabel(kCountsCaption, counts);
    allhm = readOnlyField(QStringLiteral("allhm"), QStringLiteral("0"), counts);
    hm = readOnlyField(QStringLiteral("hm"), QStringLiteral("0"), counts);
    const QFontMetrics metrics(label->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int height = allhm->sizeHint().height();
    const int labelWidth = metrics.horizontalAdvance(kCountsCaption);
    const int blanksStart = metrics.horizontalAdvance(kSubmittedCaption) + blank;
    const int blanksEnd =
        metrics.horizontalAdvance(kCountsCaption.left(kCountsCaption.indexOf(QStringLiteral("已完成"))));
    label->setGeometry(0, 0, labelWidth, height);
    allhm->setGeometry(blanksStart, 0, blanksEnd - blanksStart - blank, height);
    hm->setGeometry(labelWidth, 0, kCountWidth, height);
    for (QLineEdit* count : {allhm, hm})
        count->setAlignment(Qt::AlignCenter);
    counts->setFixedSize(labelWidth + kCountWidth, height);
    return counts;
}

QWidget* TaskProgressDialog::buildButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(buildCounts());
    row->addStretch();
    addmob = namedButton(QStringLiteral("addmob"), QStringLiteral("刷新"), bar);
    LbSpeedButton2 = namedButton(QStringLiteral("LbSpeedButton2"), QStringLiteral("导出记录.xls"), bar);
    row->addWidget(addmob);
    row->addWidget(LbSpeedButton2);
    return bar;
}

QString TaskProgressDialog::taskNumber() const {
    return snum_s->text().trimmed();
}

SqlText TaskProgressDialog::listStatement(const QString& snum) const {
    return SqlText(QStringLiteral("select * from ") + config_.table + QStringLiteral(" where snum="))
        .value(snum)
        .add(newestFirst(QStringLiteral("id")));
}

void TaskProgressDialog::listRows() {
    grid_->open(listStatement(taskNumber()));
}

void TaskProgressDialog::openFor(const QString& snum, const QString& count) {
    if (isVisible())
        return;
    snum_s->setText(snum);
    allhm->setText(count);
    try {
        listRows();
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(this, error.reason());
    }
    Timer1->start();
    exec();
}

bool TaskProgressDialog::polling() const {
    return poll_->running();
}

void TaskProgressDialog::addmobClick() {
    poll();
}

void TaskProgressDialog::Timer1Timer() {
    poll();
}

// One exchange at a time: a click or a tick while one is on its way starts nothing.
void TaskProgressDialog::poll() {
    if (poll_->running())
        return;
    const AccountFields account = services_.account->get();
    const QString url = progressPageUrl(services_.addresses.host,
                                        config_.page,
                                        account.uid,
                                        account.pwd,
                                        taskNumber(),
                                        QDateTime::currentDateTime());
    polledTask_ = taskNumber();
    poll_->start([url](const SoapCallControl& control) {
        return HttpGetText(url, limits::kPages, control.cancelled);
    });
}

// The results are stored in order; the list is read again unless the answer was too short, a
// record could not be read or a row could not be stored. Every failure is silent: the next poll
// tries again.
void TaskProgressDialog::store(const QString& snum, const QString& answer) {
    const ProgressReply reply = readProgressReply(answer);
    if (reply.end == ProgressReply::End::Ignored)
        return;
    if (!storeRecords(snum, reply) || reply.end == ProgressReply::End::Broken)
        return;
    try {
        grid_->open(listStatement(snum));
    } catch (const DatabaseError&) {
    }
}

bool TaskProgressDialog::storeRecords(const QString& snum, const ProgressReply& reply) {
    for (const ProgressRecord& record : reply.records) {
        try {
            services_.database->execute(
                SqlText(QStringLiteral("insert into ") + config_.table + QStringLiteral("(snum,") +
                        config_.numberColumn + QStringLiteral(",flong,tmoney,tag) values("))
                    .valueList({snum, record.number, record.duration, record.cost, record.status})
                    .add(QStringLiteral(")")));
        } catch (const DatabaseError&) {
            return false;
        }
    }
    return true;
}

void TaskProgressDialog::LbSpeedButton2Click() {
    SpreadsheetExport(*services_.messages, *services_.fileDialogs)
        .exportRecords(this, *services_.database, listStatement(taskNumber()), config_.exportColumns);
}

void TaskProgressDialog::btschClick() {
    close();
}

// However the dialog closes, the poll ends with it.
void TaskProgressDialog::done(int result) {
    stopWorkers();
    QDialog::done(result);
}

void TaskProgressDialog::stopWorkers() {
    Timer1->stop();
    poll_->cancel();
}

} // namespace parlumo
