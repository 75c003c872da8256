#include "sim/utf8.h"

namespace parlumo::sim {

std::size_t utf8SequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        min = 0x10000;
    } else
        return 0;
    if (text.size() < length)
        return 0;
    char32_t code = b0 & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    while (!utf8.empty()) {
        const std::size_t length = utf8SequenceLength(utf8);
        units += length == 4 ? 2 : 1;
        utf8.remove_prefix(length == 0 ? 1 : length);
    }
    return units;
}

} // namespace parlumo::sim
