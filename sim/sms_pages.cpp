// The SMS gateway, the reply box, the news page and the version file.
#include "sim/clock.h"
#include "sim/number_lists.h"
#include "sim/service.h"
#include "sim/service_texts.h"
#include "sim/utf8.h"

#include <regex>

namespace parlumo::sim {
namespace {

constexpr std::size_t kMaxBatch = 5000;
constexpr std::size_t kMaxContentChars = 1000;
constexpr std::size_t kReplyEvery = 3;
constexpr std::size_t kMaxRepliesPerBatch = 10;

// Billed parts per number: a text longer than the account's size and an account
// size above 67 bill in parts of 67; otherwise in parts of the account's size.
std::int64_t smsParts(std::size_t length, int maxChars) {
    const std::size_t size = maxChars > 0 ? static_cast<std::size_t>(maxChars) : 60;
    const std::size_t part = length > size && size > 67 ? 67 : size;
    return length == 0 ? 0 : static_cast<std::int64_t>((length - 1) / part + 1);
}

// A scheduled time such as "2026-03-01 09:05:00" ("/" and one-digit fields accepted).
bool isScheduleTime(const std::string& text) {
    static const std::regex pattern(R"((\d{4})[-/](\d{1,2})[-/](\d{1,2}) (\d{1,2}):(\d{2})(:(\d{2}))?)");
    std::smatch m;
    if (!std::regex_match(text, m, pattern))
        return false;
    const int month = std::stoi(m[2]), day = std::stoi(m[3]), hour = std::stoi(m[4]),
              minute = std::stoi(m[5]);
    const int second = m[7].matched ? std::stoi(m[7]) : 0;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour <= 23 && minute <= 59 && second <= 59;
}

} // namespace

std::string Service::smsGateway(const ServiceRequest& request) {
    const FormParams& form = request.form;
    const std::string id = form.get("id");
    if (auto code = refusal(id, form.get("pwd")))
        return *code;
    Account& account = *state_.findAccount(id);

    const auto numbers = splitNumberList(form.get("to"));
    const std::string content = form.get("content");
    const std::string time = form.get("time");
    const std::size_t length = utf16Length(content);
    if (!numbers || !allDigits(*numbers, 10, 12) || numbers->size() > kMaxBatch)
        return "-04";
    if (length == 0 || length > kMaxContentChars)
        return "-04";
    if (!time.empty() && (!account.canSchedule || !isScheduleTime(time)))
        return "-04";
    for (const std::string& keyword : state_.settings.keywords)
        if (!keyword.empty() && content.find(keyword) != std::string::npos)
            return "-07";

    const Money cost =
        account.smsPrice * static_cast<std::int64_t>(numbers->size()) * smsParts(length, account.maxSmsChars);
    if (account.balance < cost)
        return "-01";
    account.balance -= cost;
    queueReplies(account, *numbers);
    changed_ = true;
    return "000";
}

void Service::queueReplies(const Account& account, const std::vector<std::string>& numbers) {
    const std::int64_t due = nowMs() + state_.settings.replyDelayMs;
    for (std::size_t i = 0; i < numbers.size() && i / kReplyEvery < kMaxRepliesPerBatch; i += kReplyEvery) {
        const std::string_view text = kReplyTexts[state_.replyCounter++ % kReplyTexts.size()];
        state_.replies.push_back(
            {account.id, numbers[i], std::string(text), std::string(kReplyPort), {}, due});
    }
}

std::string Service::replyBox(const ServiceRequest& request) {
    const std::string id = request.query.get("id");
    if (auto code = refusal(id, request.query.get("pwd")))
        return *code;
    const std::int64_t now = nowMs();
    std::string out;
    std::vector<PendingReply> waiting;
    for (PendingReply& reply : state_.replies) {
        if (reply.account != id || reply.dueMs > now) {
            waiting.push_back(std::move(reply));
            continue;
        }
        const std::string time = reply.time.empty() ? localTimeText(reply.dueMs) : reply.time;
        out += reply.number + "|" + reply.text + "|" + reply.port + "|" + time + "<br>";
    }
    changed_ = changed_ || waiting.size() != state_.replies.size();
    state_.replies = std::move(waiting);
    return out;
}

std::string Service::news(const ServiceRequest&) {
    return state_.settings.news;
}

std::string Service::versionFile(const ServiceRequest&) {
    return "[update]\r\nversion=" + state_.settings.offeredVersion + "\r\n";
}

} // namespace parlumo::sim
