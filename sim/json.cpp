#include "sim/json.h"

#include "sim/utf8.h"

#include <charconv>

namespace parlumo::sim {
namespace {

constexpr int kMaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Json document() {
        Json value = parseValue(0);
        skipSpace();
        if (pos_ != text_.size())
            fail("unexpected text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw JsonError("JSON: " + what + " at offset " + std::to_string(pos_));
    }

    void skipSpace() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool consume(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    void expect(char c) {
        skipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c)
            fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    Json parseValue(int depth) {
        if (depth > kMaxDepth)
            fail("nesting too deep");
        skipSpace();
        if (pos_ >= text_.size())
            fail("unexpected end");
        const char c = text_[pos_];
        if (c == '{')
            return parseObject(depth);
        if (c == '[')
            return parseArray(depth);
        if (c == '"')
            return Json(parseString());
        if (consume("true"))
            return Json(true);
        if (consume("false"))
            return Json(false);
        if (consume("null"))
            return Json(nullptr);
        if (c == '-' || (c >= '0' && c <= '9'))
            return parseNumber();
        fail("unexpected character");
    }

    Json parseObject(int depth) {
        ++pos_;
        Json::Object members;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return Json(std::move(members));
        }
        while (true) {
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                fail("expected a member name");
            std::string key = parseString();
            expect(':');
            members.emplace_back(std::move(key), parseValue(depth + 1));
            skipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            expect('}');
            return Json(std::move(members));
        }
    }

    Json parseArray(int depth) {
        ++pos_;
        Json::Array items;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return Json(std::move(items));
        }
        while (true) {
            items.push_back(parseValue(depth + 1));
            skipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            expect(']');
            return Json(std::move(items));
        }
    }

    Json parseNumber() {
        const std::size_t start = pos_;
        if (text_[pos_] == '-')
            ++pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            if (pos_ == from)
                fail("malformed number");
        };
        digits();
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            digits();
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            digits();
        }
        return Json(Json::Number{std::string(text_.substr(start, pos_ - start))});
    }

    unsigned hex4() {
        if (pos_ + 4 > text_.size())
            fail("short \\u escape");
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
        if (ec != std::errc() || end != text_.data() + pos_ + 4)
            fail("malformed \\u escape");
        pos_ += 4;
        return value;
    }

    std::string parseString() {
        ++pos_;
        std::string out;
        while (true) {
            if (pos_ >= text_.size())
                fail("unterminated string");
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in string");
            if (c != '\\') {
                const std::size_t length = utf8SequenceLength(text_.substr(pos_));
                if (length == 0)
                    fail("invalid UTF-8");
                out.append(text_.substr(pos_, length));
                pos_ += length;
                continue;
            }
            ++pos_;
            if (pos_ >= text_.size())
                fail("unterminated escape");
            const char e = text_[pos_++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                char32_t code = hex4();
                if (code >= 0xD800 && code <= 0xDBFF) {
                    if (!consume("\\u"))
                        fail("lone surrogate");
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF)
                        fail("lone surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code <= 0xDFFF) {
                    fail("lone surrogate");
                }
                appendUtf8(out, code);
                break;
            }
            default:
                fail("unknown escape");
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

void dumpTo(std::string& out, const Json& value) {
    if (value.isNull())
        out += "null";
    else if (value.isBool())
        out += value.asBool() ? "true" : "false";
    else if (value.isNumber())
        out += value.asText();
    else if (value.isString())
        appendJsonString(out, value.asString());
    else if (value.isArray()) {
        out += '[';
        bool first = true;
        for (const Json& item : value.asArray()) {
            if (!first)
                out += ',';
            first = false;
            dumpTo(out, item);
        }
        out += ']';
    } else {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.asObject()) {
            if (!first)
                out += ',';
            first = false;
            appendJsonString(out, key);
            out += ':';
            dumpTo(out, member);
        }
        out += '}';
    }
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++pos;
            continue;
        }
        if (c < 0x20) {
            switch (c) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            }
            ++pos;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text.substr(pos));
        if (length == 0) {
            out += "\\ufffd";
            ++pos;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    out += '"';
}

Json Json::parse(std::string_view text) {
    return Parser(text).document();
}

std::string Json::dump() const {
    std::string out;
    dumpTo(out, *this);
    return out;
}

bool Json::asBool() const {
    if (!isBool())
        throw JsonError("JSON: expected true or false");
    return std::get<bool>(value_);
}

std::int64_t Json::asInt() const {
    if (!isNumber())
        throw JsonError("JSON: expected a whole number");
    const std::string& text = std::get<Number>(value_).text;
    std::int64_t result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size())
        throw JsonError("JSON: expected a whole number, got " + text);
    return result;
}

const std::string& Json::asString() const {
    if (!isString())
        throw JsonError("JSON: expected a string");
    return std::get<std::string>(value_);
}

const std::string& Json::asText() const {
    if (isNumber())
        return std::get<Number>(value_).text;
    if (isString())
        return std::get<std::string>(value_);
    throw JsonError("JSON: expected a number or a string");
}

const Json::Array& Json::asArray() const {
    if (!isArray())
        throw JsonError("JSON: expected an array");
    return std::get<Array>(value_);
}

const Json::Object& Json::asObject() const {
    if (!isObject())
        throw JsonError("JSON: expected an object");
    return std::get<Object>(value_);
}

const Json* Json::find(std::string_view key) const {
    if (!isObject())
        return nullptr;
    for (const auto& [name, member] : std::get<Object>(value_))
        if (name == key)
            return &member;
    return nullptr;
}

void Json::set(std::string key, Json value) {
    if (!isObject())
        value_ = Object{};
    auto& members = std::get<Object>(value_);
    for (auto& [name, member] : members) {
        if (name == key) {
            member = std::move(value);
            return;
        }
    }
    members.emplace_back(std::move(key), std::move(value));
}

void Json::push(Json value) {
    if (!isArray())
        value_ = Array{};
    std::get<Array>(value_).push_back(std::move(value));
}

} // namespace parlumo::sim
