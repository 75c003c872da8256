#pragma once

#include <string>

namespace parlumo::sim {

inline constexpr const char* kGbkTextType = "text/html; charset=GBK";
inline constexpr const char* kSoapType = "text/xml; charset=utf-8";
inline constexpr const char* kJsonType = "application/json; charset=utf-8";

struct HttpReply {
    int status = 200;
    std::string body;
    std::string contentType = kGbkTextType;
};

} // namespace parlumo::sim
