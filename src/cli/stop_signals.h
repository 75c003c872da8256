#pragma once

#include <QObject>

class QSocketNotifier;

namespace parlumo {

// SIGINT, SIGTERM and SIGHUP turned into a signal on the thread that created this object, for as
// long as it lives (one at a time in a process); the default handling comes back when it goes.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

Q_SIGNALS:
    void stopRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace parlumo
