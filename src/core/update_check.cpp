#include "core/update_check.h"

#include "core/shell_services.h"
#include "core/version.h"
#include "service/http.h"
#include "text/split_fields.h"

namespace parlumo {

bool updateOffered(const QString& versionFile, const QString& ownVersion) {
    const QStringList elements = SplitFields(versionFile, QLatin1Char('\n'));
    QString offered = fieldAt(elements, 1);
    return offered.remove(QStringLiteral("version=")).trimmed() != ownVersion.trimmed();
}

GETHTTPThread::GETHTTPThread(QString versionUrl,
                             QString programFolder,
                             Shell& shell,
                             std::chrono::milliseconds delay)
    : versionUrl_(std::move(versionUrl)), programFolder_(std::move(programFolder)), shell_(shell),
      delay_(delay) {}

GETHTTPThread::~GETHTTPThread() {
    stop();
}

void GETHTTPThread::start() {
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
}

void GETHTTPThread::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    join();
}

void GETHTTPThread::join() {
    if (thread_.joinable())
        thread_.join();
}

void GETHTTPThread::run() {
    {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, delay_, [this] { return stopping_.load(); }))
            return;
    }
    const QString versionFile = HttpGetText(versionUrl_, limits::kPages, &stopping_);
    if (stopping_)
        return;
    try {
        if (updateOffered(versionFile, kProgramVersion))
            LaunchUpdater(programFolder_, shell_);
    } catch (const FieldError&) {
        // A version file of fewer than two elements (an unreachable host gives one): no update.
    }
}

} // namespace parlumo
