// Sending a 2 MB recording (SendVoice) and a 10 MB fax document (SendFax) as the voice and fax
// screens' workers do (read the file, build the envelope with the bytes in base64, upload, read
// the reply), beside posting the same envelope with libcurl alone. parlumo-sim runs in a process
// of its own, so the peak memory measured is the sender's alone.
#include "bench/curl_post.h"
#include "bench/peak_memory.h"
#include "bench/sim_process.h"
#include "data/file_bytes.h"
#include "service/soap_client.h"
#include "sim/account.h"
#include "sim/simulator.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>
#include <utility>

namespace parlumo::bench {
namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

// A document of `size` bytes that does not compress: what a recording or a scan looks like.
QString writeDocument(const QTemporaryDir& folder, const QString& name, qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20261211);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != size)
        throw std::runtime_error("cannot write the document");
    return path;
}

enum class Operation { Voice, Fax };

struct MediaCase {
    Operation operation;
    qsizetype size;
    QString fileName;
};

MediaCase mediaCase(const benchmark::State& state) {
    if (state.range(0) == 0)
        return {Operation::Voice, 2 * kMegabyte, QStringLiteral("录音.wav")};
    return {Operation::Fax, 10 * kMegabyte, QStringLiteral("合同.pdf")};
}

const QString kUid = QString::fromLatin1(sim::kDemoAccountId);
const QString kPwd = QString::fromLatin1(sim::kDemoAccountPassword);

QString send(Service1Soap& client, Operation operation, const QByteArray& bytes, const QString& fileName) {
    if (operation == Operation::Voice)
        return client.SendVoice(kUid,
                                kPwd,
                                QStringLiteral("13800138000"),
                                QStringLiteral("NOTXT"),
                                QStringLiteral("3"),
                                bytes,
                                QString(),
                                QStringLiteral("09:00"),
                                QStringLiteral("18:00"));
    return client.SendFax(kUid,
                          kPwd,
                          QStringLiteral("01088886666"),
                          QStringLiteral("王经理"),
                          QStringLiteral("合同"),
                          bytes,
                          fileName);
}

bool isTaskNumber(const QString& reply) {
    bool number = false;
    reply.toLongLong(&number);
    return number && !reply.startsWith(QLatin1Char('-'));
}

void reportSize(benchmark::State& state, const MediaCase& media, const PeakMemory& memory) {
    memory.report(state);
    const double fileMegabytes = static_cast<double>(media.size) / kMegabyte;
    state.counters["file_MB"] = fileMegabytes;
    state.counters["peak_over_file"] = memory.aboveBaseMegabytes() / fileMegabytes;
    state.SetBytesProcessed(state.iterations() * media.size);
}

// Argument 0: the 2 MB recording through SendVoice; 1: the 10 MB document through SendFax.
void BM_SendMediaFile(benchmark::State& state) {
    const MediaCase media = mediaCase(state);
    const QTemporaryDir folder;
    const QString path = writeDocument(folder, media.fileName, media.size);
    SimulatorProcess simulator;
    Service1Soap client;
    client.setEndpoint(simulator.soapUrl());
    QString reply;
    const PeakMemory memory;
    for (auto _ : state)
        reply = send(client, media.operation, readFileBytes(path), media.fileName);
    if (!isTaskNumber(reply))
        state.SkipWithError(("the service answered " + reply.toStdString()).c_str());
    reportSize(state, media, memory);
}
BENCHMARK(BM_SendMediaFile)->ArgName("fax")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The envelope the program posts for this case, byte for byte, with its SOAPAction header: one
// send to an in-process simulator that records it (and is gone before anything is measured).
std::pair<QByteArray, std::string> capturedEnvelope(const MediaCase& media, const QByteArray& bytes) {
    sim::Simulator recorder;
    recorder.start(0);
    Service1Soap client;
    client.setEndpoint(QString::fromStdString(recorder.soapUrl()));
    send(client, media.operation, bytes, media.fileName);
    const sim::RecordedRequest request = recorder.requests().at(0);
    for (const sim::NamedValue& header : request.headers)
        if (QByteArray::fromStdString(header.name).compare("SOAPAction", Qt::CaseInsensitive) == 0)
            return {QByteArray::fromStdString(request.body), "SOAPAction: " + header.value};
    throw std::runtime_error("the envelope carried no SOAPAction");
}

// The same envelopes, captured before the clock starts, posted over one kept-alive libcurl handle.
void BM_CurlPostMediaEnvelope(benchmark::State& state) {
    const MediaCase media = mediaCase(state);
    const QTemporaryDir folder;
    const auto [envelope, action] =
        capturedEnvelope(media, readFileBytes(writeDocument(folder, media.fileName, media.size)));
    SimulatorProcess simulator;
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: text/xml; charset=\"utf-8\"");
    headers = curl_slist_append(headers, action.c_str());
    headers = curl_slist_append(headers, "Expect:");
    CurlPointer handle(curl_easy_init());
    std::string reply;
    const PeakMemory memory;
    for (auto _ : state)
        reply = post(handle.get(), simulator.soapUrl().toStdString(), envelope, headers);
    curl_slist_free_all(headers);
    if (reply.find("Result>") == std::string::npos)
        state.SkipWithError("the service did not answer the envelope");
    reportSize(state, media, memory);
}
BENCHMARK(BM_CurlPostMediaEnvelope)->ArgName("fax")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
} // namespace parlumo::bench
