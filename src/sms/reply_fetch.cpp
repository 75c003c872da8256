#include "sms/reply_fetch.h"

#include "service/http.h"

namespace parlumo {

ReplyFetchThread::ReplyFetchThread(QString replyBoxUrl, QObject* parent)
    : QThread(parent), url_(std::move(replyBoxUrl)) {}

ReplyFetchThread::~ReplyFetchThread() {
    cancel();
}

void ReplyFetchThread::cancel() {
    cancelled_ = true;
    wait();
}

void ReplyFetchThread::run() {
    QString answer;
    try {
        answer = HttpPostForm(url_, {}, limits::kReplies, &cancelled_);
    } catch (const HttpError&) {
        if (!cancelled_)
            Q_EMIT failed();
        return;
    }
    if (!cancelled_)
        Q_EMIT answered(answer);
}

} // namespace parlumo
