#include "tests/support/faults.h"

#include "service/http.h"

#include <QtGlobal>
#include <algorithm>
#include <chrono>

namespace parlumo::test {

namespace {

constexpr const char* kTimeoutCap = "PARLUMO_HTTP_TIMEOUT_CAP_MS";

bool isSoapPath(const std::string& path) {
    return QByteArray::fromStdString(path).toLower().endsWith(".asmx");
}

sim::ScriptedReply replyFor(Fault fault, const std::string& path) {
    sim::ScriptedReply reply;
    switch (fault) {
    case Fault::ServerError:
        reply.status = 500;
        reply.body = "<html><body>Internal Server Error</body></html>";
        break;
    case Fault::NotFound:
        reply.status = 404;
        reply.body = "<html><body>Not Found</body></html>";
        break;
    case Fault::Closed:
        reply.drop = true;
        break;
    case Fault::Reset:
        reply.reset = true;
        break;
    case Fault::Stalled:
        reply.delay = std::chrono::seconds(5);
        break;
    case Fault::Malformed:
        reply.status = 200;
        reply.body = isSoapPath(path) ? "<?xml version=\"1.0\"?><soap:Envelope><soap:Body><Result>00"
                                      : std::string(kMalformedText);
        break;
    case Fault::Oversized:
        reply.status = 200;
        reply.body = std::string(std::max({limits::kAccount.maxReplyBytes,
                                           limits::kGateway.maxReplyBytes,
                                           limits::kReplies.maxReplyBytes,
                                           limits::kPages.maxReplyBytes,
                                           limits::kSoap.maxReplyBytes}) +
                                     1,
                                 '0');
        break;
    case Fault::Refused:
        break;
    }
    return reply;
}

} // namespace

const char* faultName(Fault fault) {
    switch (fault) {
    case Fault::ServerError:
        return "status_500";
    case Fault::NotFound:
        return "status_404";
    case Fault::Closed:
        return "closed";
    case Fault::Reset:
        return "reset";
    case Fault::Stalled:
        return "stalled";
    case Fault::Refused:
        return "refused";
    case Fault::Malformed:
        return "malformed";
    case Fault::Oversized:
        return "oversized";
    }
    return "unknown";
}

InjectedFault::InjectedFault(sim::Simulator& simulator,
                             Fault fault,
                             const std::string& path,
                             const std::string& operation) {
    if (fault == Fault::Refused) {
        simulator.stop();
        return;
    }
    if (fault == Fault::Stalled) {
        previousCap_ = qgetenv(kTimeoutCap);
        capped_ = true;
        qputenv(kTimeoutCap, "400");
    }
    simulator.script(path, replyFor(fault, path), operation);
}

InjectedFault::~InjectedFault() {
    if (!capped_)
        return;
    if (previousCap_.isEmpty())
        qunsetenv(kTimeoutCap);
    else
        qputenv(kTimeoutCap, previousCap_);
}

} // namespace parlumo::test
