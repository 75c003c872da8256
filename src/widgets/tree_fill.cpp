#include "widgets/tree_fill.h"

#include "data/database.h"

#include <QDebug>

namespace parlumo {

TTreeFill::TTreeFill(Database& database, TreeColumns columns, QString uid, QObject* parent)
    : QThread(parent), database_(database), columns_(std::move(columns)), uid_(std::move(uid)) {}

TTreeFill::~TTreeFill() {
    cancel();
}

void TTreeFill::cancel() {
    stopped_ = true;
    wait();
}

void TTreeFill::run() {
    try {
        TreeTable table(database_, columns_);
        table.walk(
            uid_,
            [this](int parentId, const QList<TreeRow>& children) {
                if (!stopped_)
                    Q_EMIT levelRead(parentId, children);
            },
            &stopped_);
    } catch (const DatabaseError& error) {
        // The tree keeps what was read so far; the reason goes to standard error.
        qWarning().noquote() << "tree load:" << error.reason();
    }
    database_.releaseThreadConnection();
    Q_EMIT ended();
}

} // namespace parlumo
