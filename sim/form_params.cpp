#include "sim/form_params.h"

#include "sim/ascii_text.h"
#include "sim/gbk.h"

namespace parlumo::sim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string percentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

FormParams FormParams::parse(std::string_view encoded) {
    FormParams params;
    while (!encoded.empty()) {
        const std::size_t amp = encoded.find('&');
        const std::string_view pair = encoded.substr(0, amp);
        encoded = amp == std::string_view::npos ? std::string_view{} : encoded.substr(amp + 1);
        if (pair.empty())
            continue;
        const std::size_t eq = pair.find('=');
        const std::string_view name = pair.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1);
        params.fields_.emplace_back(gbkToUtf8(percentDecode(name)), gbkToUtf8(percentDecode(value)));
    }
    return params;
}

std::optional<std::string> FormParams::find(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [fieldName, fieldValue] : fields_) {
        if (!equalsIgnoringCase(fieldName, name))
            continue;
        if (value)
            *value += ", " + fieldValue;
        else
            value = fieldValue;
    }
    return value;
}

std::string FormParams::get(std::string_view name) const {
    return find(name).value_or(std::string{});
}

} // namespace parlumo::sim
