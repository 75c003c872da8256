#pragma once

#include "service/soap_client.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

class QProgressBar;
class QThread;

namespace parlumo {

// What the user is told when the service accepted a task (and charged it) but the database
// refused its record.
QString unrecordedTaskMessage(const QString& taskNumber, const QString& reason);

// A client of its own for one call made on a worker: pointed at the endpoint, run under the
// call's control (cancel flag and upload progress).
Service1Soap soapClientFor(const QString& endpoint, const SoapCallControl& control);

// One exchange with the service made off the user-interface thread, so a slow service or a large
// upload never freezes the window. The caller copies every input into the work before starting
// it; the work never touches a widget. Its upload progress, then its reply or its failure, arrive
// on the user-interface thread, in that order. One call runs at a time; destroying the object
// abandons a running call and waits for its thread.
class ServiceCall : public QObject {
    Q_OBJECT
public:
    using Work = std::function<QString(const SoapCallControl& control)>;

    explicit ServiceCall(QObject* parent = nullptr);
    ~ServiceCall() override;

    // Shows the call on a progress bar: busy while it runs, the upload's share once it is known,
    // hidden when the call has ended.
    void setIndicator(QProgressBar* indicator);

    bool running() const { return thread_ != nullptr; }
    // Starts the work; ignored while a call runs.
    void start(Work work);
    // Abandons a running call (its reply is never delivered) and waits for its thread.
    void cancel();

Q_SIGNALS:
    void uploadProgressed(qint64 sent, qint64 total);
    // The work returned the service's reply.
    void answered(const QString& reply);
    // The work raised an error: no reply, a fault, an unreadable reply.
    void failed(const QString& reason);

private:
    void showUpload(qint64 sent, qint64 total);
    void end();

    QThread* thread_ = nullptr;
    quint64 calls_ = 0; // numbers each call, so what a cancelled call sent late is dropped
    std::atomic<bool> cancelled_{false};
    QProgressBar* indicator_ = nullptr;
};

} // namespace parlumo
