#pragma once

#include <array>
#include <string_view>

namespace parlumo::sim {

// The number that recipients' replies arrive through.
inline constexpr std::string_view kReplyPort = "10690888";

// What recipients answer, in turn. None holds a character that the reply box
// format could take for a separator.
inline constexpr std::array<std::string_view, 6> kReplyTexts = {
    "收到，谢谢！",
    "好的，我知道了",
    "请问具体时间是什么时候？",
    "已收到 谢谢",
    "退订",
    "OK 明天见",
};

struct CallOutcome {
    std::string_view status;
    bool connected;
};

// Outcome of the i-th number of a voice task, cycling through this table.
inline constexpr std::array<CallOutcome, 5> kVoiceOutcomes = {{
    {"已接听", true},
    {"已接听", true},
    {"已接听", true},
    {"无人接听", false},
    {"用户忙", false},
}};

// Outcome of the i-th number of a fax task, cycling through this table.
inline constexpr std::array<CallOutcome, 4> kFaxOutcomes = {{
    {"发送成功", true},
    {"发送成功", true},
    {"对方忙", false},
    {"发送成功", true},
}};

inline constexpr std::string_view kCallStatus = "通话结束";

} // namespace parlumo::sim
