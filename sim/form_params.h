#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace parlumo::sim {

// Percent-decoding as a form or query reader does it: "%XX" becomes the byte,
// "+" a space; a "%" without two hex digits stays as it is.
std::string percentDecode(std::string_view text);

// The fields of a query string or an urlencoded form body, decoded and turned
// from GBK into UTF-8, in the order they came.
class FormParams {
public:
    using Field = std::pair<std::string, std::string>;

    FormParams() = default;
    static FormParams parse(std::string_view encoded);

    const std::vector<Field>& fields() const { return fields_; }
    // The value of a field, names compared without regard to case; repeated fields
    // are joined with ", " as the service's page framework does. Absent: nullopt.
    std::optional<std::string> find(std::string_view name) const;
    // As find, with an absent field read as empty.
    std::string get(std::string_view name) const;

private:
    std::vector<Field> fields_;
};

} // namespace parlumo::sim
