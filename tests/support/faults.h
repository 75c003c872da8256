#pragma once

#include "sim/simulator.h"

#include <QByteArray>
#include <string>

namespace parlumo::test {

// The ways an exchange with the service can fail.
enum class Fault {
    ServerError, // HTTP 500
    NotFound,    // HTTP 404
    Closed,      // the connection closed without an answer (FIN)
    Reset,       // the connection reset (RST)
    Stalled,     // no answer before the exchange's time-out
    Refused,     // nothing listens on the service's port
    Malformed,   // a 200 answer of garbage (broken XML for SOAP)
    Oversized,   // a 200 answer longer than any exchange reads
};

inline constexpr Fault kEveryFault[] = {Fault::ServerError,
                                        Fault::NotFound,
                                        Fault::Closed,
                                        Fault::Reset,
                                        Fault::Stalled,
                                        Fault::Refused,
                                        Fault::Malformed,
                                        Fault::Oversized};

// The body of a malformed answer on a path that is not SOAP's.
inline constexpr const char* kMalformedText = "<html>garbage";

const char* faultName(Fault fault);

// A test-name suffix for a parameter that is a Fault.
struct FaultName {
    template <typename Info> std::string operator()(const Info& info) const { return faultName(info.param); }
};

// Puts the fault in place of the answer to the next request of path (for SOAP, of that
// operation). Refused stops the simulator, so that its port is a closed one; Stalled delays the
// answer well past every exchange's time-out, which stays capped short while this object lives.
class InjectedFault {
public:
    InjectedFault(sim::Simulator& simulator,
                  Fault fault,
                  const std::string& path,
                  const std::string& operation = {});
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

private:
    QByteArray previousCap_;
    bool capped_ = false;
};

} // namespace parlumo::test
