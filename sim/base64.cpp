#include "sim/base64.h"

namespace parlumo::sim {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (n > 1)
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (n > 2)
            value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(value >> 18) & 63];
        out += kAlphabet[(value >> 12) & 63];
        out += n > 1 ? kAlphabet[(value >> 6) & 63] : '=';
        out += n > 2 ? kAlphabet[value & 63] : '=';
    }
    return out;
}

std::optional<std::string> base64Decode(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        digits += c;
    }
    if (digits.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    out.reserve(digits.size() / 4 * 3);
    for (std::size_t i = 0; i < digits.size(); i += 4) {
        const bool last = i + 4 == digits.size();
        const int padding =
            last ? (digits[i + 3] == '=') + (digits[i + 2] == '=' && digits[i + 3] == '=') : 0;
        unsigned value = 0;
        for (int k = 0; k < 4 - padding; ++k) {
            const int v = sextet(digits[i + k]);
            if (v < 0)
                return std::nullopt;
            value |= static_cast<unsigned>(v) << (18 - 6 * k);
        }
        out += static_cast<char>((value >> 16) & 0xFF);
        if (padding < 2)
            out += static_cast<char>((value >> 8) & 0xFF);
        if (padding < 1)
            out += static_cast<char>(value & 0xFF);
    }
    return out;
}

} // namespace parlumo::sim
