// MMS, voice and fax tasks, direct calls, and the progress pages of tasks.
#include "sim/ascii_text.h"
#include "sim/base64.h"
#include "sim/number_lists.h"
#include "sim/service.h"
#include "sim/service_texts.h"
#include "sim/utf8.h"

#include <algorithm>
#include <array>

namespace parlumo::sim {
namespace {

constexpr std::size_t kMaxMmsPicture = 100000;
constexpr std::size_t kMaxMmsText = 1000;
constexpr int kCallSeconds = 65;
constexpr Money kCallMinimumBalance = Money::fromUnits(10 * Money::kUnitsPerYuan);

// The bytes of a base64Binary parameter; absent or nil gives none.
std::string bytesParam(const SoapCall& call, std::string_view name) {
    const SoapParam* param = call.param(name);
    if (param == nullptr || param->nil)
        return {};
    std::optional<std::string> bytes = base64Decode(param->value);
    if (!bytes)
        throw SoapFault("soap:Client", "Parameter " + std::string(name) + " is not valid base64Binary.");
    return *bytes;
}

// Fax numbers with their extensions: an item of 1 to 6 digits is the extension of
// the number before it. Numbers have 7 to 20 digits.
std::optional<std::vector<std::string>> faxNumbers(std::string_view text) {
    const auto items = splitNumberList(text);
    if (!items)
        return std::nullopt;
    std::vector<std::string> numbers;
    for (const std::string& item : *items) {
        if (isDigits(item, 7, 20))
            numbers.push_back(item);
        else if (isDigits(item, 1, 6) && !numbers.empty() && numbers.back().find('-') == std::string::npos)
            numbers.back() += "-" + item;
        else
            return std::nullopt;
    }
    return numbers;
}

template <std::size_t N>
std::vector<ProgressRecord> outcomes(const std::vector<std::string>& numbers,
                                     const std::array<CallOutcome, N>& table,
                                     Money price,
                                     int baseSeconds,
                                     int spreadSeconds,
                                     int stepSeconds) {
    std::vector<ProgressRecord> records;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const CallOutcome& outcome = table[i % N];
        const int seconds =
            outcome.connected ? baseSeconds + static_cast<int>(i * stepSeconds) % spreadSeconds : 0;
        records.push_back(
            {numbers[i], std::to_string(seconds), price.toString(), std::string(outcome.status)});
    }
    return records;
}

} // namespace

std::string Service::sendMms(const SoapCall& call) {
    const std::string id = call.text("uid");
    if (auto code = refusal(id, call.text("pwd")))
        return *code;
    Account& account = *state_.findAccount(id);
    const auto numbers = splitNumberList(call.text("mobno"));
    const std::string content = call.text("content");
    const std::string picture = bytesParam(call, "Bytes");
    if (!numbers || !allDigits(*numbers, 10, 12))
        return "-04";
    if (trimBlanks(call.text("title")).empty() || utf16Length(content) > kMaxMmsText)
        return "-04";
    if (picture.size() > kMaxMmsPicture || (picture.empty() && trimBlanks(content).empty()))
        return "-04";
    const Money cost = account.mmsPrice * static_cast<std::int64_t>(numbers->size());
    if (account.balance < cost)
        return "-01";
    account.balance -= cost;
    return newTaskNumber();
}

std::string Service::sendVoice(const SoapCall& call) {
    const std::string id = call.text("uid");
    if (auto code = refusal(id, call.text("pwd")))
        return *code;
    Account& account = *state_.findAccount(id);
    const auto numbers = splitNumberList(call.text("vto"));
    const std::string mode = call.text("mode");
    const std::string recording = bytesParam(call, "FileBytes");
    const auto attendants = splitNumberList(call.text("svrno"));
    if (!numbers || !allDigits(*numbers, 5, 20))
        return "-04";
    const bool synthesised = mode == "1" && !trimBlanks(call.text("vtxt")).empty();
    const bool recorded = mode == "3" && !recording.empty();
    if (!synthesised && !recorded)
        return "-04";
    if (!attendants || (!attendants->empty() && !allDigits(*attendants, 5, 20)))
        return "-04";
    const Money cost = account.voicePrice * static_cast<std::int64_t>(numbers->size());
    if (account.balance < cost)
        return "-01";
    account.balance -= cost;
    Task task{newTaskNumber(),
              TaskKind::Voice,
              account.id,
              outcomes(*numbers, kVoiceOutcomes, account.voicePrice, 20, 40, 7),
              0};
    state_.tasks.push_back(task);
    return task.number;
}

std::string Service::sendFax(const SoapCall& call) {
    const std::string id = call.text("uid");
    if (auto code = refusal(id, call.text("pwd")))
        return *code;
    Account& account = *state_.findAccount(id);
    const auto numbers = faxNumbers(call.text("faxno"));
    const std::string document = bytesParam(call, "Bytes");
    if (!numbers || numbers->empty() || document.empty() || trimBlanks(call.text("FileName")).empty())
        return "-04";
    const Money cost = account.faxPrice * static_cast<std::int64_t>(numbers->size());
    if (account.balance < cost)
        return "-01";
    account.balance -= cost;
    Task task{newTaskNumber(),
              TaskKind::Fax,
              account.id,
              outcomes(*numbers, kFaxOutcomes, account.faxPrice, 30, 60, 11),
              0};
    state_.tasks.push_back(task);
    return task.number;
}

std::string Service::directCall(const ServiceRequest& request) {
    const FormParams& q = request.query;
    const std::string id = q.get("id");
    if (auto code = refusal(id, q.get("pwd")))
        return *code;
    Account& account = *state_.findAccount(id);
    const std::string from = q.get("from_no");
    const std::string to = q.get("to_no");
    if (!isDigits(from, 10, 30) || !isDigits(to, 10, 30))
        return "-04";
    if (account.balance < kCallMinimumBalance)
        return "-01";
    const Money cost = account.voicePrice * ((kCallSeconds + 59) / 60);
    account.balance -= cost;
    Task task{newTaskNumber(),
              TaskKind::Call,
              account.id,
              {{to, std::to_string(kCallSeconds), cost.toString(), std::string(kCallStatus)}},
              0};
    state_.tasks.push_back(task);
    return task.number;
}

std::string Service::voiceProgress(const ServiceRequest& request) {
    return progress(request, true);
}

std::string Service::faxProgress(const ServiceRequest& request) {
    return progress(request, false);
}

std::string Service::progress(const ServiceRequest& request, bool voicePage) {
    const FormParams& q = request.query;
    const std::string id = q.get("uid");
    if (auto code = refusal(id, q.get("pwd")))
        return *code;
    const std::string number = q.get("snum");
    Task* task =
        voicePage ? state_.findTask(number, TaskKind::Voice) : state_.findTask(number, TaskKind::Fax);
    if (task == nullptr && voicePage)
        task = state_.findTask(number, TaskKind::Call);
    if (task == nullptr || task->account != id)
        return "-04";

    const std::size_t perPoll = state_.settings.progressPerPoll > 0
                                    ? static_cast<std::size_t>(state_.settings.progressPerPoll)
                                    : task->records.size();
    std::string out;
    const std::size_t end = std::min(task->records.size(), task->handedOut + perPoll);
    for (std::size_t i = task->handedOut; i < end; ++i) {
        const ProgressRecord& r = task->records[i];
        out += task->number + "|" + std::to_string(i + 1) + "|" + r.number + "|" + r.duration + "|" + r.cost +
               "|" + r.status + "\\";
    }
    if (end != task->handedOut)
        changed_ = true;
    task->handedOut = end;
    return out;
}

} // namespace parlumo::sim
