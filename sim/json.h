#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace parlumo::sim {

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A JSON value. Numbers keep their text so that amounts of money never pass
// through binary floating point; objects keep their members in order.
class Json {
public:
    struct Number {
        std::string text;
    };
    using Array = std::vector<Json>;
    using Object = std::vector<std::pair<std::string, Json>>;

    Json() = default;
    Json(std::nullptr_t) {}
    Json(bool value) : value_(value) {}
    Json(int value) : value_(Number{std::to_string(value)}) {}
    Json(std::int64_t value) : value_(Number{std::to_string(value)}) {}
    Json(std::uint64_t value) : value_(Number{std::to_string(value)}) {}
    Json(const char* value) : value_(std::string(value)) {}
    Json(std::string value) : value_(std::move(value)) {}
    Json(Number value) : value_(std::move(value)) {}
    Json(Array value) : value_(std::move(value)) {}
    Json(Object value) : value_(std::move(value)) {}

    static Json parse(std::string_view text);
    std::string dump() const;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value_); }
    bool isBool() const { return std::holds_alternative<bool>(value_); }
    bool isNumber() const { return std::holds_alternative<Number>(value_); }
    bool isString() const { return std::holds_alternative<std::string>(value_); }
    bool isArray() const { return std::holds_alternative<Array>(value_); }
    bool isObject() const { return std::holds_alternative<Object>(value_); }

    // Typed reads; each throws JsonError naming what was expected.
    bool asBool() const;
    std::int64_t asInt() const;
    const std::string& asString() const;
    // The text of a number or a string, for values such as amounts.
    const std::string& asText() const;
    const Array& asArray() const;
    const Object& asObject() const;

    // Member of an object, or nullptr when absent (or when this is no object).
    const Json* find(std::string_view key) const;
    void set(std::string key, Json value);
    void push(Json value);

private:
    std::variant<std::nullptr_t, bool, Number, std::string, Array, Object> value_;
};

// Writes text as a JSON string literal; bytes that are not UTF-8 become U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

} // namespace parlumo::sim
