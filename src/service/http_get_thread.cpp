#include "service/http_get_thread.h"

namespace parlumo {

HttpGetThread::HttpGetThread(QString url, HttpTimeouts limits, QObject* parent)
    : QThread(parent), url_(std::move(url)), limits_(limits) {}

HttpGetThread::~HttpGetThread() {
    cancel();
}

void HttpGetThread::cancel() {
    cancelled_ = true;
    wait();
}

void HttpGetThread::run() {
    const QString text = HttpGetText(url_, limits_, &cancelled_);
    if (!cancelled_)
        Q_EMIT fetched(text);
}

} // namespace parlumo
