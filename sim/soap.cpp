#include "sim/soap.h"

#include "sim/ascii_text.h"
#include "sim/xml_reader.h"

namespace parlumo::sim {
namespace {

constexpr std::string_view kSoap12Namespace = "http://www.w3.org/2003/05/soap-envelope";
constexpr std::string_view kSchemaInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

bool isBlank(std::string_view text) {
    return trimBlanks(text).empty();
}

} // namespace

const SoapParam* SoapCall::param(std::string_view name) const {
    for (const SoapParam& p : params)
        if (p.name == name && p.namespaceUri == kServiceNamespace)
            return &p;
    return nullptr;
}

std::string SoapCall::text(std::string_view name) const {
    const SoapParam* p = param(name);
    return p == nullptr || p->nil ? std::string{} : p->value;
}

bool isSoapContentType(std::string_view contentType) {
    const std::string type = asciiLower(contentType);
    const std::size_t semicolon = type.find(';');
    if (trimBlanks(std::string_view(type).substr(0, semicolon)) != "text/xml")
        return false;
    if (semicolon == std::string::npos)
        return true;
    const std::size_t charset = type.find("charset=", semicolon);
    if (charset == std::string::npos)
        return true;
    std::string_view value = std::string_view(type).substr(charset + 8);
    value = value.substr(0, value.find(';'));
    value = trimBlanks(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value == "utf-8";
}

SoapCall parseSoapEnvelope(std::string_view body) {
    XmlElement envelope;
    try {
        envelope = parseXml(body);
    } catch (const XmlError& error) {
        throw SoapFault("soap:Client", std::string("Server was unable to read request. ") + error.what());
    }
    if (envelope.localName != "Envelope" || envelope.namespaceUri != kSoapEnvelopeNamespace) {
        const bool soap12 = envelope.namespaceUri == kSoap12Namespace;
        throw SoapFault("soap:VersionMismatch",
                        soap12 ? "SOAP 1.2 envelopes are not served here."
                               : "The root element is not a SOAP 1.1 Envelope.");
    }
    if (!isBlank(envelope.text))
        throw SoapFault("soap:Client", "Text directly inside the Envelope.");

    const XmlElement* bodyElement = nullptr;
    for (const XmlElement& child : envelope.children) {
        if (child.namespaceUri != kSoapEnvelopeNamespace)
            throw SoapFault("soap:Client", "Unexpected element " + child.qualifiedName + " in the Envelope.");
        if (child.localName == "Body") {
            if (bodyElement != nullptr)
                throw SoapFault("soap:Client", "More than one Body.");
            bodyElement = &child;
        } else if (child.localName != "Header" || bodyElement != nullptr) {
            throw SoapFault("soap:Client", "Unexpected element " + child.qualifiedName + " in the Envelope.");
        }
    }
    if (bodyElement == nullptr)
        throw SoapFault("soap:Client", "The Envelope has no Body.");
    if (bodyElement->children.size() != 1 || !isBlank(bodyElement->text))
        throw SoapFault("soap:Client", "The Body must hold exactly one operation element.");

    const XmlElement& operation = bodyElement->children.front();
    SoapCall call;
    call.operation = operation.localName;
    call.operationNamespace = operation.namespaceUri;
    if (!isBlank(operation.text))
        throw SoapFault("soap:Client",
                        "Text directly inside the operation element " + operation.localName + ".");
    for (const XmlElement& parameter : operation.children) {
        if (!parameter.children.empty())
            throw SoapFault("soap:Client", "Parameter " + parameter.localName + " must hold text only.");
        const XmlAttribute* nil = parameter.attribute(kSchemaInstanceNamespace, "nil");
        call.params.push_back({parameter.localName,
                               parameter.namespaceUri,
                               parameter.text,
                               nil != nullptr && (nil->value == "true" || nil->value == "1")});
    }
    return call;
}

void checkSoapAction(std::string_view soapAction, const SoapCall& call) {
    std::string_view action = trimBlanks(soapAction);
    if (action.size() >= 2 && action.front() == '"' && action.back() == '"')
        action = action.substr(1, action.size() - 2);
    const std::string expected = std::string(kServiceNamespace) + call.operation;
    if (call.operationNamespace != kServiceNamespace || action != expected)
        throw SoapFault(
            "soap:Client",
            "Server did not recognize the value of HTTP Header SOAPAction: " + std::string(action) + ".");
}

HttpReply soapResult(std::string_view operation, std::string_view result) {
    const std::string op(operation);
    HttpReply reply;
    reply.contentType = kSoapType;
    reply.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                 "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                 "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body><" +
                 op + "Response xmlns=\"http://tempuri.org/\"><" + op + "Result>" + escapeXml(result) + "</" +
                 op + "Result></" + op + "Response></soap:Body></soap:Envelope>";
    return reply;
}

HttpReply soapFault(std::string_view code, std::string_view message) {
    HttpReply reply;
    reply.status = 500;
    reply.contentType = kSoapType;
    reply.body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                 "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                 "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body><soap:Fault><faultcode>" +
                 escapeXml(code) + "</faultcode><faultstring>" + escapeXml(message) +
                 "</faultstring><detail /></soap:Fault></soap:Body></soap:Envelope>";
    return reply;
}

} // namespace parlumo::sim
