#include "sms/news_fetch.h"

#include "service/http.h"
#include "text/excerpt.h"
#include "toolkit/interruptible_sleep.h"

namespace parlumo {

QString newsText(const QString& page) {
    if (page.isEmpty())
        return QStringLiteral("无法连接消息服务器，请重新登录！");
    QString text = page;
    text.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    // One line per line of the text: a final break opens no empty line.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return excerpt(text, kMaxNewsChars);
}

load_http_new_Thread::load_http_new_Thread(QString newsUrl, std::chrono::milliseconds delay, QObject* parent)
    : QThread(parent), newsUrl_(std::move(newsUrl)), delay_(delay) {}

load_http_new_Thread::~load_http_new_Thread() {
    cancel();
}

void load_http_new_Thread::cancel() {
    cancelled_ = true;
    wait();
}

void load_http_new_Thread::run() {
    sleepUnlessCancelled(delay_, cancelled_);
    if (cancelled_)
        return;
    const QString page = HttpGetText(newsUrl_, limits::kPages, &cancelled_);
    if (!cancelled_)
        Q_EMIT fetched(newsText(page));
}

} // namespace parlumo
