#pragma once

#include "sim/http_reply.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace parlumo::sim {

inline constexpr const char* kSoapEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr const char* kServiceNamespace = "http://tempuri.org/";

struct SoapParam {
    std::string name; // local name of the element
    std::string namespaceUri;
    std::string value;
    bool nil = false; // xsi:nil="true"

    bool operator==(const SoapParam&) const = default;
};

// One operation call read from a request envelope.
struct SoapCall {
    std::string operation;
    std::string operationNamespace;
    std::vector<SoapParam> params; // in document order

    // The parameter of that name in the service namespace, or nullptr.
    const SoapParam* param(std::string_view name) const;
    // Its text; absent or nil read as empty.
    std::string text(std::string_view name) const;
};

// A request the service refuses with a SOAP fault; code is "soap:Client",
// "soap:Server" or "soap:VersionMismatch".
class SoapFault : public std::runtime_error {
public:
    SoapFault(std::string code, const std::string& message)
        : std::runtime_error(message), code_(std::move(code)) {}
    const std::string& code() const { return code_; }

private:
    std::string code_;
};

// Whether a Content-Type header names a SOAP 1.1 body in UTF-8 ("text/xml",
// with no charset or charset utf-8).
bool isSoapContentType(std::string_view contentType);

// Reads the envelope of a request. Throws SoapFault when it is malformed.
SoapCall parseSoapEnvelope(std::string_view body);

// Checks the SOAPAction header against the operation of the body. Throws SoapFault.
void checkSoapAction(std::string_view soapAction, const SoapCall& call);

HttpReply soapResult(std::string_view operation, std::string_view result);
HttpReply soapFault(std::string_view code, std::string_view message);

} // namespace parlumo::sim
