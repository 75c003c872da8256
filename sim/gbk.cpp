#include "sim/gbk.h"

#include "sim/utf8.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace parlumo::sim {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; calls onBadInput with the remaining input when a
    // sequence cannot be converted and expects it to return how many bytes to skip.
    template <typename OnBadInput> std::string convert(std::string_view input, OnBadInput onBadInput) {
        std::string out;
        char buffer[4096];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (result != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            const std::size_t skip = onBadInput(out, std::string_view(in, inLeft));
            in += skip;
            inLeft -= skip;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t handle_;
};

} // namespace

std::string gbkToUtf8(std::string_view gbk) {
    Converter converter("UTF-8", "GB18030");
    return converter.convert(gbk, [](std::string& out, std::string_view) {
        out += "\xEF\xBF\xBD";
        return std::size_t{1};
    });
}

std::string utf8ToGbk(std::string_view utf8) {
    Converter converter("GBK", "UTF-8");
    return converter.convert(utf8, [](std::string& out, std::string_view rest) {
        out += '?';
        const std::size_t length = utf8SequenceLength(rest);
        return length == 0 ? std::size_t{1} : length;
    });
}

} // namespace parlumo::sim
