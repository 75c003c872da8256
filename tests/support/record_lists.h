#pragma once

#include <QAbstractItemModel>
#include <QStringList>
#include <QTableView>

namespace parlumo::test {

// The texts of one column of a record list, for the rows read so far.
inline QStringList listedColumn(const QTableView* view, int column) {
    const QAbstractItemModel* model = view->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

// Ticks or unticks a row's "选择" box as a click on it does.
inline void tickRow(QTableView* view, int row, bool ticked = true) {
    QAbstractItemModel* model = view->model();
    model->setData(model->index(row, 0), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

} // namespace parlumo::test
