#pragma once

#include "data/tree_table.h"

#include <QThread>
#include <atomic>

namespace parlumo {

class Database;

// One load of a category tree: reads the account's groups level by level on its own thread
// and its own database connection, and hands each level to the user-interface thread as a
// signal (queued, so the levels arrive in the order they were read). It touches no widget.
class TTreeFill : public QThread {
    Q_OBJECT
public:
    TTreeFill(Database& database, TreeColumns columns, QString uid, QObject* parent = nullptr);
    ~TTreeFill() override;

    // Ends the load at the next level; returns at once.
    void stop() { stopped_ = true; }
    // Ends the load and waits for its thread.
    void cancel();

Q_SIGNALS:
    void levelRead(int parentId, const QList<parlumo::TreeRow>& children);
    // The load is over: every level was read, or a statement failed, or it was stopped.
    void ended();

protected:
    void run() override;

private:
    Database& database_;
    TreeColumns columns_;
    QString uid_;
    std::atomic<bool> stopped_{false};
};

} // namespace parlumo
