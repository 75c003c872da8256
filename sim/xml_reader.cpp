#include "sim/xml_reader.h"

#include "sim/utf8.h"

#include <charconv>
#include <map>

namespace parlumo::sim {
namespace {

constexpr int kMaxDepth = 100;
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsNamespace = "http://www.w3.org/2000/xmlns/";

using Scope = std::map<std::string, std::string, std::less<>>;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameChar(char c) {
    return !isSpace(c) && c != '<' && c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' && c != '&' &&
           c != '!' && c != '?';
}

struct RawAttribute {
    std::string name;
    std::string value;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
    }

    XmlElement document() {
        if (!isValidUtf8(text_))
            fail("the document is not UTF-8");
        skipMisc();
        if (atEnd() || peek() != '<')
            fail("no root element");
        XmlElement root = element(0, {{"xml", std::string(kXmlNamespace)}});
        skipMisc();
        if (!atEnd())
            fail("content after the root element");
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw XmlError("XML: " + what + " at offset " + std::to_string(pos_));
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    bool startsWith(std::string_view s) const { return text_.substr(pos_).starts_with(s); }

    void skipSpace() {
        while (!atEnd() && isSpace(peek()))
            ++pos_;
    }

    void skipPast(std::string_view terminator, const char* what) {
        const std::size_t end = text_.find(terminator, pos_);
        if (end == std::string_view::npos)
            fail(std::string("unterminated ") + what);
        pos_ = end + terminator.size();
    }

    // White space, comments and processing instructions around the root element.
    void skipMisc() {
        while (true) {
            skipSpace();
            if (startsWith("<?"))
                skipPast("?>", "processing instruction");
            else if (startsWith("<!--"))
                skipPast("-->", "comment");
            else if (startsWith("<!"))
                fail("document type declarations are not accepted");
            else
                return;
        }
    }

    std::string name() {
        const std::size_t start = pos_;
        while (!atEnd() && isNameChar(peek()))
            ++pos_;
        if (pos_ == start)
            fail("expected a name");
        return std::string(text_.substr(start, pos_ - start));
    }

    void appendReference(std::string& out) {
        const std::size_t end = text_.find(';', pos_);
        if (end == std::string_view::npos || end - pos_ > 12)
            fail("malformed reference");
        const std::string_view ref = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        if (ref == "lt")
            out += '<';
        else if (ref == "gt")
            out += '>';
        else if (ref == "amp")
            out += '&';
        else if (ref == "quot")
            out += '"';
        else if (ref == "apos")
            out += '\'';
        else if (ref.starts_with('#')) {
            const bool hex = ref.size() > 1 && (ref[1] == 'x');
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            unsigned long code = 0;
            const auto [p, ec] =
                std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (digits.empty() || ec != std::errc() || p != digits.data() + digits.size() || code == 0 ||
                code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                fail("bad character reference");
            appendUtf8(out, static_cast<char32_t>(code));
        } else {
            fail("unknown entity &" + std::string(ref) + ";");
        }
    }

    // Character data up to the next markup, with references resolved and line ends normalised.
    void text(std::string& out) {
        while (!atEnd() && peek() != '<') {
            const char c = peek();
            if (c == '&') {
                appendReference(out);
            } else if (c == '\r') {
                out += '\n';
                ++pos_;
                if (!atEnd() && peek() == '\n')
                    ++pos_;
            } else {
                out += c;
                ++pos_;
            }
        }
    }

    std::string attributeValue() {
        if (atEnd() || (peek() != '"' && peek() != '\''))
            fail("expected a quoted attribute value");
        const char quote = peek();
        ++pos_;
        std::string value;
        while (true) {
            if (atEnd())
                fail("unterminated attribute value");
            const char c = peek();
            if (c == quote) {
                ++pos_;
                return value;
            }
            if (c == '<')
                fail("'<' in attribute value");
            if (c == '&')
                appendReference(value);
            else {
                value += isSpace(c) ? ' ' : c;
                ++pos_;
            }
        }
    }

    static std::pair<std::string_view, std::string_view> split(std::string_view qualified) {
        const std::size_t colon = qualified.find(':');
        if (colon == std::string_view::npos)
            return {{}, qualified};
        return {qualified.substr(0, colon), qualified.substr(colon + 1)};
    }

    std::string resolve(const Scope& scope, std::string_view prefix) const {
        const auto it = scope.find(prefix);
        if (it == scope.end()) {
            if (prefix.empty())
                return {};
            fail("undeclared namespace prefix " + std::string(prefix));
        }
        return it->second;
    }

    XmlElement element(int depth, Scope scope) {
        if (depth > kMaxDepth)
            fail("elements nested too deep");
        ++pos_; // '<'
        XmlElement result;
        result.qualifiedName = name();
        std::vector<RawAttribute> raw;
        while (true) {
            skipSpace();
            if (atEnd())
                fail("unterminated start tag");
            if (peek() == '>' || startsWith("/>"))
                break;
            RawAttribute attribute{name(), {}};
            skipSpace();
            if (atEnd() || peek() != '=')
                fail("expected '=' after attribute " + attribute.name);
            ++pos_;
            skipSpace();
            attribute.value = attributeValue();
            for (const RawAttribute& other : raw)
                if (other.name == attribute.name)
                    fail("repeated attribute " + attribute.name);
            raw.push_back(std::move(attribute));
        }
        for (const RawAttribute& attribute : raw) {
            if (attribute.name == "xmlns")
                scope[""] = attribute.value;
            else if (attribute.name.starts_with("xmlns:"))
                scope[attribute.name.substr(6)] = attribute.value;
        }
        const auto [prefix, local] = split(result.qualifiedName);
        result.localName = std::string(local);
        result.namespaceUri = resolve(scope, prefix);
        for (const RawAttribute& attribute : raw) {
            const auto [attrPrefix, attrLocal] = split(attribute.name);
            std::string uri;
            if (attribute.name == "xmlns" || attrPrefix == "xmlns")
                uri = std::string(kXmlnsNamespace);
            else if (!attrPrefix.empty())
                uri = resolve(scope, attrPrefix);
            result.attributes.push_back({std::move(uri), std::string(attrLocal), attribute.value});
        }

        if (startsWith("/>")) {
            pos_ += 2;
            return result;
        }
        ++pos_; // '>'
        while (true) {
            text(result.text);
            if (atEnd())
                fail("unterminated element " + result.qualifiedName);
            if (startsWith("</")) {
                pos_ += 2;
                const std::string closing = name();
                if (closing != result.qualifiedName)
                    fail("end tag " + closing + " does not match " + result.qualifiedName);
                skipSpace();
                if (atEnd() || peek() != '>')
                    fail("malformed end tag");
                ++pos_;
                return result;
            }
            if (startsWith("<!--"))
                skipPast("-->", "comment");
            else if (startsWith("<![CDATA[")) {
                const std::size_t start = pos_ + 9;
                skipPast("]]>", "CDATA section");
                result.text.append(text_.substr(start, pos_ - 3 - start));
            } else if (startsWith("<?"))
                skipPast("?>", "processing instruction");
            else if (startsWith("<!"))
                fail("markup declaration inside an element");
            else
                result.children.push_back(element(depth + 1, scope));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const XmlAttribute* XmlElement::attribute(std::string_view uri, std::string_view local) const {
    for (const XmlAttribute& a : attributes)
        if (a.namespaceUri == uri && a.localName == local)
            return &a;
    return nullptr;
}

XmlElement parseXml(std::string_view document) {
    return Reader(document).document();
}

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace parlumo::sim
