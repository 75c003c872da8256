#pragma once

#include <QThread>
#include <atomic>
#include <chrono>

namespace parlumo {

// The most characters of news the compose screen shows.
inline constexpr qsizetype kMaxNewsChars = 2000;

// The news page, "<br>" turned into line breaks (a final one opens no empty line) and cut to
// kMaxNewsChars characters; the connection message when nothing comes.
QString newsText(const QString& page);

// Fetches the news page for the compose screen after a short wait and hands the text over.
class load_http_new_Thread : public QThread {
    Q_OBJECT
public:
    load_http_new_Thread(QString newsUrl, std::chrono::milliseconds delay, QObject* parent = nullptr);
    ~load_http_new_Thread() override;
    void cancel();

Q_SIGNALS:
    void fetched(const QString& text);

protected:
    void run() override;

private:
    QString newsUrl_;
    std::chrono::milliseconds delay_;
    std::atomic<bool> cancelled_{false};
};

} // namespace parlumo
