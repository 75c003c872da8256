// Login, balance, password change and registration, over HTTP and SOAP.
#include "sim/ascii_text.h"
#include "sim/number_lists.h"
#include "sim/service.h"
#include "sim/utf8.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace parlumo::sim {
namespace {

std::string joined(std::initializer_list<std::string> fields, char delimiter) {
    std::string out;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            out += delimiter;
        first = false;
        out += field;
    }
    return out;
}

// Characters per SMS as the replies carry it; 0 stands for "not set" and goes out empty.
std::string maxCharsField(const Account& account) {
    return account.maxSmsChars > 0 ? std::to_string(account.maxSmsChars) : std::string{};
}

// Too simple: shorter than 6 characters, one character repeated, a straight run
// such as "123456" or "fedcba", or one of a few well-known passwords.
bool isTooSimple(std::string_view password) {
    static constexpr std::array<std::string_view, 6> known = {
        "password", "qwerty", "qwertyuiop", "asdfgh", "abc123", "qwe123"};
    if (utf16Length(password) < 6)
        return true;
    if (std::find(known.begin(), known.end(), password) != known.end())
        return true;
    const int step = static_cast<unsigned char>(password[1]) - static_cast<unsigned char>(password[0]);
    if (step < -1 || step > 1)
        return false;
    for (std::size_t i = 1; i < password.size(); ++i) {
        if (static_cast<unsigned char>(password[i]) - static_cast<unsigned char>(password[i - 1]) != step)
            return false;
    }
    return true;
}

// An identifier of 2 to 20 characters: ASCII letters and digits, "_", "-", ".", "@",
// or characters beyond ASCII (Chinese names).
bool isValidIdentifier(std::string_view id) {
    const std::size_t length = utf16Length(id);
    if (length < 2 || length > 20)
        return false;
    return std::all_of(id.begin(), id.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.' || c == '@';
    });
}

} // namespace

std::string Service::login(const ServiceRequest& request) {
    const std::string id = request.query.get("uid");
    if (auto code = refusal(id, request.query.get("pwd")))
        return *code;
    const Account& account = *state_.findAccount(id);
    const std::string serviceUrl = account.serviceUrl.empty() ? ownServiceUrl_ : account.serviceUrl;
    return joined({"000",
                   "1",
                   account.balance.toString(),
                   account.smsPrice.withoutLeadingZero(),
                   maxCharsField(account),
                   account.voicePrice.withoutLeadingZero(),
                   account.faxPrice.withoutLeadingZero(),
                   serviceUrl,
                   account.mmsPrice.withoutLeadingZero(),
                   account.canSchedule ? "true" : "false"},
                  '|');
}

std::string Service::balance(const ServiceRequest& request) {
    const std::string id = request.query.get("uid");
    if (auto code = refusal(id, request.query.get("pwd")))
        return *code;
    return state_.findAccount(id)->balance.toString();
}

std::string Service::changePassword(const ServiceRequest& request) {
    const std::string id = request.query.get("uid");
    if (auto code = refusal(id, request.query.get("pwd")))
        return *code;
    const std::string newPassword = request.query.get("newpwd");
    if (newPassword.empty())
        return "-04";
    if (isTooSimple(newPassword))
        return "-07";
    state_.findAccount(id)->password = newPassword;
    changed_ = true;
    return "000";
}

std::string Service::registerAccount(const ServiceRequest& request) {
    if (state_.settings.maintenance)
        return "-09";
    const auto field = [&](const char* name) { return std::string(trimBlanks(request.query.get(name))); };
    const std::string id = field("uid");
    const std::string password = field("pwd");
    const std::string mobile = field("mob");
    const std::string contact = field("linkman");
    if (!isValidIdentifier(id) || password.empty() || contact.empty() || !isDigits(mobile, 11, 20))
        return "-04";
    if (state_.findAccount(id) != nullptr)
        return "-01";
    if (isTooSimple(password))
        return "-07";
    Account account = standardAccount(id, password);
    account.mobile = mobile;
    account.contact = contact;
    account.company = field("coname");
    account.phone = field("tel");
    account.email = field("email");
    account.agentCode = field("agentcode");
    account.address = field("add");
    state_.accounts.push_back(std::move(account));
    changed_ = true;
    return "000";
}

std::string Service::getUserInfo(const SoapCall& call) {
    const std::string id = call.text("uid");
    if (auto code = refusal(id, call.text("pwd")))
        return *code;
    const Account& account = *state_.findAccount(id);
    return joined(
        {"000", "1", account.balance.toString(), account.smsPrice.toString(), maxCharsField(account)}, '/');
}

} // namespace parlumo::sim
