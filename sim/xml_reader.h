#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace parlumo::sim {

class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct XmlAttribute {
    std::string namespaceUri;
    std::string localName;
    std::string value;
};

// One element of a parsed document, with names resolved against the namespace
// declarations in scope.
struct XmlElement {
    std::string namespaceUri;
    std::string localName;
    std::string qualifiedName;
    std::vector<XmlAttribute> attributes;
    std::vector<XmlElement> children;
    std::string text; // character data directly inside this element, in order

    const XmlAttribute* attribute(std::string_view namespaceUri, std::string_view localName) const;
};

// Parses a whole UTF-8 document (no DTD) and returns its root element.
// Throws XmlError when the document is not well-formed.
XmlElement parseXml(std::string_view document);

// Escapes text for element content or a double-quoted attribute.
std::string escapeXml(std::string_view text);

} // namespace parlumo::sim
