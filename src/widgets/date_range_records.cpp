#include "widgets/date_range_records.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/conditions.h"
#include "data/database.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace parlumo {

namespace {

RecordListConfig listConfig(const DateRangeRecordsConfig& config) {
    RecordListConfig list;
    list.columns = config.columns;
    list.keyField = config.keyField;
    list.carriedFields = config.carriedFields;
    list.tickable = false;
    return list;
}

} // namespace

DateRangeRecords::DateRangeRecords(Services& services, DateRangeRecordsConfig config, QWidget* page)
    : QObject(page), services_(services), config_(std::move(config)), page_(page) {
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("查询:  从"), page));
    sdate_ = dayPicker(QStringLiteral("sdate"), page);
    bar->addWidget(sdate_);
    bar->addWidget(new QLabel(QStringLiteral("日  至  "), page));
    edate_ = dayPicker(QStringLiteral("edate"), page);
    bar->addWidget(edate_);
    bar->addWidget(new QLabel(QStringLiteral("日"), page));
    auto* queryButton = namedButton(config_.queryButton.name, config_.queryButton.caption, page);
    auto* exportButton = namedButton(config_.exportButton.name, config_.exportButton.caption, page);
    bar->addSpacing(12);
    bar->addWidget(queryButton);
    bar->addWidget(exportButton);
    bar->addStretch();

    view_ = named(new QTableView(page), QStringLiteral("DBGrid1"));
    view_->setToolTip(config_.gridHint);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_ = new RecordGrid(*services_.database, listConfig(config_), RecordGridControls{view_}, this);

    layout_ = new QVBoxLayout(page);
    layout_->addLayout(bar);
    layout_->addWidget(new QLabel(config_.gridCaption, page));
    layout_->addWidget(view_, 1);

    connect(queryButton, &QPushButton::clicked, this, &DateRangeRecords::query);
    connect(exportButton, &QPushButton::clicked, this, &DateRangeRecords::exportRecords);
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && grid_->hasCurrent())
            Q_EMIT recordClicked();
    });
    resetDates();
}

void DateRangeRecords::resetDates() {
    sdate_->setDate(QDate::currentDate().addDays(-7));
    edate_->setDate(QDate::currentDate());
}

void DateRangeRecords::query() {
    SqlText statement(QStringLiteral("select * from ") + config_.table + QStringLiteral(" where "));
    statement.add(accountCondition(services_.account->get().uid))
        .add(QStringLiteral(" and "))
        .add(dateRangeCondition(sdate_->date(), edate_->date()))
        .add(newestFirst(config_.keyField));
    try {
        grid_->open(statement);
    } catch (const DatabaseError& error) {
        services_.messages->showMessage(page_, error.reason());
    }
}

void DateRangeRecords::exportRecords() {
    SpreadsheetExport(*services_.messages, *services_.fileDialogs)
        .exportRecords(page_, *services_.database, grid_->statement(), config_.exportColumns);
}

} // namespace parlumo
