#include "widgets/record_grid.h"

#include "data/database.h"
#include "toolkit/screen_setup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>

namespace parlumo {

namespace {

QLineEdit* counter(QWidget* parent, const QString& name) {
    auto* edit = named(new QLineEdit(QStringLiteral("0"), parent), name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(64);
    return edit;
}

} // namespace

RecordGrid::RecordGrid(Database& database,
                       RecordListConfig config,
                       RecordGridControls controls,
                       QObject* parent)
    : QObject(parent), model_(new RecordListModel(database, std::move(config), this)), controls_(controls) {
    configureView();
    connect(model_, &RecordListModel::ticksChanged, this, &RecordGrid::showTicked);
    connect(controls_.view->selectionModel(),
            &QItemSelectionModel::currentRowChanged,
            this,
            &RecordGrid::currentChanged);
    if (model_->config().editableFields.isEmpty())
        return;
    connect(controls_.view->selectionModel(),
            &QItemSelectionModel::currentRowChanged,
            this,
            &RecordGrid::leaveRow);
    // Enter in a cell editor commits the cell and closes the editor with this hint.
    connect(controls_.view->itemDelegate(),
            &QAbstractItemDelegate::closeEditor,
            this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    Q_EMIT enterPressed();
            });
    controls_.view->installEventFilter(this);
}

void RecordGrid::configureView() {
    QTableView* view = controls_.view;
    view->setModel(model_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(model_->config().editableFields.isEmpty()
                              ? QAbstractItemView::NoEditTriggers
                              : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setStretchLastSection(true);
    // Display widths are given in characters of the grid's font.
    const int charWidth = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const auto widthOf = [charWidth](int chars) { return chars * charWidth + 12; };
    const RecordListConfig& config = model_->config();
    if (config.draggable) {
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
    }
    int column = 0;
    if (config.tickable)
        view->setColumnWidth(column++, widthOf(5));
    for (const RecordColumn& shown : config.columns)
        view->setColumnWidth(column++, widthOf(shown.widthChars));
}

void RecordGrid::open(const SqlText& statement) {
    postOrCancel();
    resetSelectAll();
    try {
        model_->open(statement);
    } catch (...) {
        showTotal();
        Q_EMIT currentChanged();
        throw;
    }
    showTotal();
    if (model_->rowCount() > 0)
        setCurrentRow(0);
    else
        Q_EMIT currentChanged();
}

void RecordGrid::reopen() {
    postOrCancel();
    const bool hadCurrent = hasCurrent();
    const qint64 key = hadCurrent ? currentKey() : 0;
    try {
        model_->reopen();
    } catch (...) {
        resetSelectAll();
        showTotal();
        Q_EMIT currentChanged();
        throw;
    }
    showTotal();
    const int row = hadCurrent ? model_->rowOfKey(key) : -1;
    if (model_->rowCount() > 0)
        setCurrentRow(row >= 0 ? row : 0);
    else
        Q_EMIT currentChanged();
}

int RecordGrid::currentRow() const {
    const QModelIndex current = controls_.view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

qint64 RecordGrid::currentKey() const {
    return model_->key(currentRow());
}

QVariant RecordGrid::currentValue(const QString& field) const {
    return model_->value(currentRow(), field);
}

void RecordGrid::setCurrentRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const int column = model_->config().tickable && model_->columnCount() > 1 ? 1 : 0;
    const QModelIndex index = model_->index(row, column);
    controls_.view->setCurrentIndex(index);
    controls_.view->scrollTo(index);
}

void RecordGrid::previous() {
    setCurrentRow(currentRow() - 1);
}

void RecordGrid::next() {
    const int row = currentRow() + 1;
    if (row >= model_->rowCount() && model_->canFetchMore({}))
        model_->fetchMore({});
    setCurrentRow(row);
}

void RecordGrid::setAllTicked(bool ticked) {
    if (ticked)
        model_->tickAll();
    else
        model_->untickAll();
}

void RecordGrid::showTicked(int tickedRows) {
    if (controls_.selmobno)
        controls_.selmobno->setText(QString::number(tickedRows));
}

void RecordGrid::showTotal() {
    if (controls_.allmobno)
        controls_.allmobno->setText(QString::number(model_->totalRows()));
}

void RecordGrid::resetSelectAll() {
    if (!controls_.selectAll)
        return;
    const QSignalBlocker quiet(controls_.selectAll);
    controls_.selectAll->setChecked(false);
}

bool RecordGrid::postOrCancel() {
    try {
        model_->post();
    } catch (const DatabaseError&) {
        model_->cancel();
        Q_EMIT postFailed();
        return false;
    }
    return true;
}

void RecordGrid::leaveRow(const QModelIndex& current, const QModelIndex& previous) {
    const int pending = model_->pendingRow();
    if (pending >= 0 && pending == previous.row() && current.row() != pending)
        postOrCancel();
}

bool RecordGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != controls_.view || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // From a cell editor the key arrives before the editor hands over its text; the
        // editor's closing reports the Enter once the text is in.
        if (controls_.view->indexWidget(controls_.view->currentIndex()) == nullptr)
            Q_EMIT enterPressed();
        return true;
    }
    // Down on the last row would leave the list: it is swallowed.
    const bool atEnd = currentRow() == model_->rowCount() - 1 && !model_->canFetchMore({});
    return key == Qt::Key_Down && atEnd;
}

QHBoxLayout*
recordCountsRow(QWidget* parent, QLineEdit*& allmobno, QLineEdit*& selmobno, const QString& tail) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("共"), parent));
    allmobno = counter(parent, QStringLiteral("allmobno"));
    row->addWidget(allmobno);
    row->addWidget(new QLabel(QStringLiteral("条   选中"), parent));
    selmobno = counter(parent, QStringLiteral("selmobno"));
    row->addWidget(selmobno);
    row->addWidget(new QLabel(tail, parent));
    return row;
}

QHBoxLayout* recordNavigationRow(QWidget* parent, const QString& tail, RecordNavigationControls& controls) {
    QHBoxLayout* row = recordCountsRow(parent, controls.allmobno, controls.selmobno, tail);
    controls.selectAll = named(new QCheckBox(QStringLiteral("全选"), parent), QStringLiteral("CheckBox1"));
    row->addWidget(controls.selectAll);
    row->addStretch();
    controls.previous = namedButton(QStringLiteral("btpv"), QStringLiteral("上一条"), parent);
    controls.next = namedButton(QStringLiteral("btnt"), QStringLiteral("下一条"), parent);
    row->addWidget(controls.previous);
    row->addWidget(controls.next);
    return row;
}

} // namespace parlumo
