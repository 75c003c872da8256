#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace parlumo {

class Shell;

// True when the version file offers a version other than ours: its second element (split at
// line feeds, blanks and carriage returns) with every "version=" removed, trimmed, compared as
// text. A file of fewer than two elements raises FieldError.
bool updateOffered(const QString& versionFile, const QString& ownVersion);

// The update check, once per run: waits, fetches the version file and starts the updater when
// another version is offered. Every failure is silent; it touches no control. Stopping it ends
// the wait or the exchange at once and joins the thread.
class GETHTTPThread {
public:
    GETHTTPThread(QString versionUrl, QString programFolder, Shell& shell, std::chrono::milliseconds delay);
    ~GETHTTPThread();
    GETHTTPThread(const GETHTTPThread&) = delete;
    GETHTTPThread& operator=(const GETHTTPThread&) = delete;

    void start();
    void stop();
    // Waits until the check has run (tests).
    void join();

private:
    void run();

    QString versionUrl_;
    QString programFolder_;
    Shell& shell_;
    std::chrono::milliseconds delay_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
};

} // namespace parlumo
