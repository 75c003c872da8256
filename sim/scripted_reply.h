#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace parlumo::sim {

// One scripted answer to the next request of a path. With a status, a body, a
// SOAP result or a SOAP fault it replaces the service's own answer (and its
// effects); with only a delay the service answers normally after the delay;
// with drop the connection is closed without an answer (FIN); with reset it is aborted (RST).
struct ScriptedReply {
    std::optional<int> status;
    std::optional<std::string> body;       // bytes sent as they are
    std::string contentType;               // empty: the path's usual type
    std::optional<std::string> soapResult; // answered inside the operation's response envelope
    std::optional<std::string> soapFault;  // answered as a soap:Server fault with this message
    std::chrono::milliseconds delay{0};
    bool drop = false;
    bool reset = false;

    bool replacesAnswer() const { return status || body || soapResult || soapFault; }
};

} // namespace parlumo::sim
