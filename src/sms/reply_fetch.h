#pragma once

#include <QString>
#include <QThread>
#include <atomic>

namespace parlumo {

// One exchange with the reply box off the user-interface thread: the empty form POST to the
// address, then the answer or the failure, received on the user-interface thread, which stores
// what came.
class ReplyFetchThread : public QThread {
    Q_OBJECT
public:
    explicit ReplyFetchThread(QString replyBoxUrl, QObject* parent = nullptr);
    ~ReplyFetchThread() override;

    // Abandons the exchange (the program is closing) and waits for the thread.
    void cancel();

Q_SIGNALS:
    void answered(const QString& answer);
    void failed();

protected:
    void run() override;

private:
    QString url_;
    std::atomic<bool> cancelled_{false};
};

} // namespace parlumo
