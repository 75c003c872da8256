#pragma once

#include <QAbstractItemModel>
#include <QSqlQuery>
#include <QSqlRecord>
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

// Every row of a query as its fields joined by "|", in the query's order.
inline QStringList rowLines(QSqlQuery rows) {
    QStringList lines;
    while (rows.next()) {
        QStringList fields;
        for (int i = 0; i < rows.record().count(); ++i)
            fields << rows.value(i).toString();
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}

// Ticks or unticks a row's "选择" box as a click on it does.
inline void tickRow(QTableView* view, int row, bool ticked = true) {
    QAbstractItemModel* model = view->model();
    model->setData(model->index(row, 0), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

} // namespace parlumo::test
