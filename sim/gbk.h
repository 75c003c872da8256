#pragma once

#include <string>
#include <string_view>

namespace parlumo::sim {

// GBK bytes (read as GB18030, its superset) to UTF-8; undecodable bytes become U+FFFD.
std::string gbkToUtf8(std::string_view gbk);
// UTF-8 to GBK bytes; characters that GBK cannot hold become "?".
std::string utf8ToGbk(std::string_view utf8);

} // namespace parlumo::sim
