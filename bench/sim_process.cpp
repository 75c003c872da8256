#include "bench/sim_process.h"

#include "bench/curl_post.h"

#include <QCoreApplication>
#include <stdexcept>

namespace parlumo::bench {

SimulatorProcess::SimulatorProcess() {
    process_.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/parlumo-sim"));
    process_.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
    process_.start();
    if (!process_.waitForStarted() || !process_.waitForReadyRead(10'000))
        throw std::runtime_error("parlumo-sim did not start");
    const QByteArray line = process_.readLine().trimmed();
    const qsizetype colon = line.lastIndexOf(':');
    baseUrl_ = QStringLiteral("http://127.0.0.1:%1").arg(QString::fromLatin1(line.mid(colon + 1)));
}

SimulatorProcess::~SimulatorProcess() {
    process_.terminate();
    process_.waitForFinished();
}

void SimulatorProcess::control(const char* method, const QString& path, const std::string& json) const {
    CurlPointer handle(curl_easy_init());
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(handle.get(), CURLOPT_CUSTOMREQUEST, method);
    const QByteArray body = QByteArray::fromStdString(json);
    post(handle.get(), (baseUrl_ + path).toStdString(), body, headers);
    long status = 0;
    curl_easy_getinfo(handle.get(), CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    if (status != 200)
        throw std::runtime_error("parlumo-sim refused " + path.toStdString());
}

} // namespace parlumo::bench
