#include "widgets/record_list_model.h"

#include "data/database.h"

#include <QAtomicInteger>
#include <algorithm>

namespace parlumo {

namespace {

QString nextReaderName() {
    static QAtomicInteger<quint64> serial;
    return QStringLiteral("list-%1").arg(serial.fetchAndAddRelaxed(1));
}

const QString kTickCaption = QStringLiteral("选择");

} // namespace

RecordListModel::RecordListModel(Database& database, RecordListConfig config, QObject* parent)
    : QAbstractTableModel(parent), database_(database), config_(std::move(config)), reader_(nextReaderName()),
      firstShownColumn_(config_.tickable ? 1 : 0) {
    fields_ << config_.keyField;
    for (const RecordColumn& column : config_.columns)
        fields_ << column.field;
    fields_ << config_.carriedFields;
    fields_.removeDuplicates();
}

RecordListModel::~RecordListModel() {
    release();
    database_.releaseThreadConnection(reader_);
}

SqlText RecordListModel::wrapped(const QStringList& fields) const {
    return SqlText(QStringLiteral("select ") + fields.join(QLatin1Char(',')) + QStringLiteral(" from ("))
        .add(statement_)
        .add(QStringLiteral(")"));
}

// The cursor's statement is finished first, so the next one reads the file as it is now.
void RecordListModel::release() {
    cursor_.reset();
    rows_.clear();
    rowsOfKey_.clear();
    keys_.clear();
    duplicates_.clear();
    pending_ = {};
}

void RecordListModel::readKeys() {
    QSqlQuery keys = database_.execute(wrapped({config_.keyField}), reader_);
    QHash<qint64, int> seen;
    while (keys.next()) {
        const qint64 key = keys.value(0).toLongLong();
        keys_.append(key);
        const int count = ++seen[key];
        if (count > 1)
            duplicates_.insert(key, count);
    }
}

// The cursor steps to its first row when it runs, which fixes the snapshot that the key query
// then reads on the same connection. The first page is read within the model's reset.
void RecordListModel::run() {
    try {
        cursor_ = database_.execute(wrapped(fields_), reader_);
        readKeys();
    } catch (...) {
        release();
        throw;
    }
    appendRows(readPage());
}

void RecordListModel::open(const SqlText& statement) {
    beginResetModel();
    release();
    ticked_.clear();
    tickOrder_.clear();
    tickedRows_ = 0;
    statement_ = statement;
    try {
        run();
    } catch (...) {
        endResetModel();
        Q_EMIT ticksChanged(0);
        throw;
    }
    endResetModel();
    Q_EMIT ticksChanged(0);
}

void RecordListModel::reopen() {
    beginResetModel();
    release();
    try {
        run();
    } catch (...) {
        ticked_.clear();
        tickOrder_.clear();
        tickedRows_ = 0;
        endResetModel();
        Q_EMIT ticksChanged(0);
        throw;
    }
    const QSet<qint64> listed(keys_.cbegin(), keys_.cend());
    QList<qint64> kept;
    tickedRows_ = 0;
    for (qint64 key : std::as_const(tickOrder_)) {
        if (listed.contains(key)) {
            kept.append(key);
            tickedRows_ += multiplicity(key);
        }
    }
    tickOrder_ = kept;
    ticked_ = QSet<qint64>(kept.cbegin(), kept.cend());
    endResetModel();
    Q_EMIT ticksChanged(tickedRows_);
}

qint64 RecordListModel::key(int row) const {
    return rows_.at(row).at(0).toLongLong();
}

QVariant RecordListModel::value(int row, const QString& field) const {
    const qsizetype at = fields_.indexOf(field);
    if (row < 0 || row >= rows_.size() || at < 0)
        return {};
    if (row == pending_.row) {
        const auto staged = pending_.changes.constFind(field);
        if (staged != pending_.changes.cend())
            return *staged;
    }
    return rows_.at(row).at(at);
}

int RecordListModel::rowOfKey(qint64 key) const {
    const QList<int> rows = rowsOfKey_.values(key);
    return rows.isEmpty() ? -1 : *std::min_element(rows.cbegin(), rows.cend());
}

int RecordListModel::columnOf(const QString& field) const {
    for (qsizetype i = 0; i < config_.columns.size(); ++i)
        if (config_.columns[i].field == field)
            return firstShownColumn_ + static_cast<int>(i);
    return -1;
}

bool RecordListModel::isTicked(int row) const {
    return ticked_.contains(key(row));
}

void RecordListModel::markTick(qint64 key, bool ticked) {
    if (ticked == ticked_.contains(key))
        return;
    if (ticked) {
        ticked_.insert(key);
        tickOrder_.append(key);
        tickedRows_ += multiplicity(key);
    } else {
        ticked_.remove(key);
        tickOrder_.removeOne(key);
        tickedRows_ -= multiplicity(key);
    }
}

void RecordListModel::setTicked(int row, bool ticked) {
    const qint64 rowKey = key(row);
    // A new row is ticked once it is stored and has its key.
    if (isNewRow(row) || ticked == ticked_.contains(rowKey))
        return;
    markTick(rowKey, ticked);
    for (int shared : rowsOfKey_.values(rowKey))
        emitTickColumnChanged(shared, shared);
    Q_EMIT ticksChanged(tickedRows_);
}

void RecordListModel::tickAll() {
    for (qint64 key : std::as_const(keys_))
        markTick(key, true);
    emitTickColumnChanged(0, rowCount() - 1);
    Q_EMIT ticksChanged(tickedRows_);
}

void RecordListModel::untickAll() {
    ticked_.clear();
    tickOrder_.clear();
    tickedRows_ = 0;
    emitTickColumnChanged(0, rowCount() - 1);
    Q_EMIT ticksChanged(0);
}

void RecordListModel::emitTickColumnChanged(int firstRow, int lastRow) {
    if (config_.tickable && firstRow <= lastRow)
        Q_EMIT dataChanged(index(firstRow, 0), index(lastRow, 0), {Qt::CheckStateRole});
}

QList<QStringList> RecordListModel::tickedRecords(const QStringList& fields) const {
    if (tickOrder_.isEmpty())
        return {};
    QHash<qint64, QStringList> records;
    QSqlQuery rows = database_.execute(wrapped(QStringList{config_.keyField} + fields), reader_);
    while (rows.next()) {
        const qint64 rowKey = rows.value(0).toLongLong();
        if (!ticked_.contains(rowKey) || records.contains(rowKey))
            continue;
        QStringList values;
        for (int i = 1; i <= fields.size(); ++i)
            values << rows.value(i).toString();
        records.insert(rowKey, values);
    }
    QList<QStringList> ordered;
    for (qint64 rowKey : tickOrder_) {
        const auto found = records.constFind(rowKey);
        if (found != records.cend())
            ordered << *found;
    }
    return ordered;
}

QStringList RecordListModel::tickedValues(const QString& field) const {
    QStringList values;
    for (const QStringList& record : tickedRecords({field}))
        values << record.first();
    return values;
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : firstShownColumn_ + static_cast<int>(config_.columns.size());
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (index.column() < firstShownColumn_) {
        if (role == Qt::CheckStateRole)
            return isTicked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::EditRole)
        return {};
    const QString& field = config_.columns.at(index.column() - firstShownColumn_).field;
    return value(index.row(), field).toString();
}

bool RecordListModel::isEditable(const QModelIndex& index) const {
    return index.column() >= firstShownColumn_ &&
           config_.editableFields.contains(config_.columns.at(index.column() - firstShownColumn_).field);
}

bool RecordListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role == Qt::EditRole && isEditable(index)) {
        try {
            stage(index.row(), config_.columns.at(index.column() - firstShownColumn_).field, value);
        } catch (const DatabaseError&) {
            return false;
        }
        return true;
    }
    if (index.column() >= firstShownColumn_ || role != Qt::CheckStateRole)
        return false;
    setTicked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() < firstShownColumn_)
        flags |= Qt::ItemIsUserCheckable;
    if (config_.draggable)
        flags |= Qt::ItemIsDragEnabled;
    if (isEditable(index))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < firstShownColumn_)
        return kTickCaption;
    return config_.columns.at(section - firstShownColumn_).caption;
}

bool RecordListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && cursor_ && cursor_->isActive() && rows_.size() < keys_.size();
}

QList<QVariantList> RecordListModel::readPage() {
    QList<QVariantList> page;
    while (page.size() < kPageRows && rows_.size() + page.size() < keys_.size() && cursor_->next()) {
        QVariantList row;
        row.reserve(fields_.size());
        for (int i = 0; i < fields_.size(); ++i)
            row.append(cursor_->value(i));
        page.append(row);
    }
    // A cursor that has delivered every row lets go of its snapshot.
    if (page.size() < kPageRows || rows_.size() + page.size() >= keys_.size())
        cursor_->finish();
    return page;
}

void RecordListModel::appendRows(QList<QVariantList> page) {
    for (QVariantList& row : page) {
        rowsOfKey_.insert(row.at(0).toLongLong(), static_cast<int>(rows_.size()));
        rows_.append(std::move(row));
    }
}

void RecordListModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    QList<QVariantList> page = readPage();
    if (page.isEmpty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    appendRows(std::move(page));
    endInsertRows();
}

// Editing

// Changes of another row are posted before this row's are staged.
void RecordListModel::stage(int row, const QString& field, const QVariant& value) {
    if (pending_.row != row) {
        post();
        pending_.row = row;
        pending_.isNew = false;
    }
    pending_.changes.insert(field, value);
    const int column = columnOf(field);
    if (column >= 0)
        Q_EMIT dataChanged(index(row, column), index(row, column));
}

// The new row comes after every row of the statement, so the rest is read first.
int RecordListModel::appendNewRow(const QVariantMap& fields) {
    post();
    while (canFetchMore({}))
        fetchMore({});
    QVariantList values;
    for (const QString& field : std::as_const(fields_))
        values.append(field == config_.keyField ? QVariant(qint64(0)) : fields.value(field));
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.append(values);
    pending_ = Pending{row, true, fields};
    endInsertRows();
    return row;
}

void RecordListModel::post() {
    if (pending_.row < 0)
        return;
    const int row = pending_.row;
    QVariantMap fields;
    for (const QString& field : std::as_const(fields_))
        fields.insert(field, value(row, field));
    const qint64 storedKey = config_.storeRow(pending_.isNew ? 0 : key(row), fields);
    QVariantList& values = rows_[row];
    for (qsizetype i = 0; i < fields_.size(); ++i)
        values[i] = fields.value(fields_[i]);
    values[0] = storedKey;
    if (pending_.isNew) {
        keys_.append(storedKey);
        rowsOfKey_.insert(storedKey, row);
    }
    pending_ = {};
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordListModel::cancel() {
    const int row = pending_.row;
    if (row < 0)
        return;
    // Forgotten before the row goes: the view moves its current row away while it is removed.
    if (pending_.isNew) {
        pending_ = {};
        beginRemoveRows({}, row, row);
        rows_.removeAt(row);
        endRemoveRows();
        return;
    }
    pending_ = {};
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

} // namespace parlumo
