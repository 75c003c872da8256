#pragma once

#include "sim/soap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace parlumo::sim {

struct NamedValue {
    std::string name;
    std::string value;

    bool operator==(const NamedValue&) const = default;
};

// A request as the simulator received it.
struct RecordedRequest {
    std::uint64_t sequence = 0;
    std::string method;
    std::string path;  // as it arrived, not decoded
    std::string query; // raw query string after "?", not decoded
    std::vector<NamedValue> headers;
    std::string body; // raw bytes
    // Query fields, then the fields of an urlencoded body: percent-decoded and
    // turned from GBK into UTF-8.
    std::vector<NamedValue> params;
    // Read from a SOAP envelope; empty when the request carried none.
    std::string soapOperation;
    std::vector<SoapParam> soapParams;
    // Status answered; 0 when the connection was dropped.
    int status = 0;
};

} // namespace parlumo::sim
