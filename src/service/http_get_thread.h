#pragma once

#include "service/http.h"

#include <QString>
#include <QThread>
#include <atomic>

namespace parlumo {

// One HttpGetText off the calling thread: the text (empty on any failure) is handed back through
// `fetched`, which a receiver on the user-interface thread gets queued. A cancelled exchange
// hands nothing back.
class HttpGetThread : public QThread {
    Q_OBJECT
public:
    HttpGetThread(QString url, HttpTimeouts limits, QObject* parent = nullptr);
    ~HttpGetThread() override;

    // Abandons the exchange and waits for the thread.
    void cancel();

Q_SIGNALS:
    void fetched(const QString& text);

protected:
    void run() override;

private:
    QString url_;
    HttpTimeouts limits_;
    std::atomic<bool> cancelled_{false};
};

} // namespace parlumo
