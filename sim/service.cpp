#include "sim/service.h"

#include "sim/ascii_text.h"
#include "sim/clock.h"
#include "sim/gbk.h"
#include "sim/service_texts.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace parlumo::sim {
namespace {

ServiceState loadState(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    try {
        return stateFromJson(Json::parse(text.str()));
    } catch (const JsonError& error) {
        throw std::runtime_error("cannot read " + file.string() + ": " + error.what());
    }
}

} // namespace

Service::Service(std::filesystem::path stateDir) : state_(ServiceState::initial()) {
    if (stateDir.empty())
        return;
    std::filesystem::create_directories(stateDir);
    stateFile_ = stateDir / "state.json";
    if (std::filesystem::exists(stateFile_))
        state_ = loadState(stateFile_);
    else
        save();
}

void Service::setOwnServiceUrl(std::string url) {
    std::lock_guard lock(mutex_);
    ownServiceUrl_ = std::move(url);
}

std::optional<HttpReply> Service::page(const ServiceRequest& request) {
    using Page = std::string (Service::*)(const ServiceRequest&);
    static const std::map<std::string, Page> pages = {
        {"/webservice/public/softlogin.asp", &Service::login},
        {"/webservice/public/remoney.asp", &Service::balance},
        {"/webservice/public/editpwd.asp", &Service::changePassword},
        {"/webservice/public/softreg.asp", &Service::registerAccount},
        {"/sys_port/gateway/index.asp", &Service::smsGateway},
        {"/sys_port/gateway/mo.asp", &Service::replyBox},
        {"/softnews.htm", &Service::news},
        {"/download/bexol.txt", &Service::versionFile},
        {"/voice_service/superphone.asp", &Service::directCall},
        {"/voice_service/vlog.asp", &Service::voiceProgress},
        {"/faxservice/faxlog.asp", &Service::faxProgress},
    };
    const auto it = pages.find(asciiLower(request.path));
    if (it == pages.end())
        return std::nullopt;
    std::lock_guard lock(mutex_);
    HttpReply reply;
    reply.body = utf8ToGbk((this->*(it->second))(request));
    if (changed_)
        save();
    changed_ = false;
    return reply;
}

std::string Service::call(const SoapCall& call) {
    using Operation = std::string (Service::*)(const SoapCall&);
    static const std::map<std::string, Operation> operations = {
        {"GetUserInfo", &Service::getUserInfo},
        {"SendMMS", &Service::sendMms},
        {"SendVoice", &Service::sendVoice},
        {"SendFax", &Service::sendFax},
    };
    const auto it = operations.find(call.operation);
    if (it == operations.end())
        throw SoapFault("soap:Client",
                        "The operation " + call.operation + " is not offered by this service.");
    std::lock_guard lock(mutex_);
    std::string result = (this->*(it->second))(call);
    if (changed_)
        save();
    changed_ = false;
    return result;
}

std::optional<std::string> Service::refusal(std::string_view id, std::string_view password) const {
    if (state_.settings.maintenance)
        return "-09";
    if (id.empty() || password.empty())
        return "-04";
    const Account* account = state_.findAccount(id);
    if (account == nullptr)
        return "-02";
    if (account->password != password)
        return "-03";
    return std::nullopt;
}

std::string Service::newTaskNumber() {
    changed_ = true;
    return std::to_string(state_.nextTaskNumber++);
}

std::vector<Account> Service::accounts() const {
    std::lock_guard lock(mutex_);
    return state_.accounts;
}

std::optional<Account> Service::account(std::string_view id) const {
    std::lock_guard lock(mutex_);
    const Account* account = state_.findAccount(id);
    return account == nullptr ? std::nullopt : std::optional<Account>(*account);
}

void Service::putAccount(const Account& account) {
    std::lock_guard lock(mutex_);
    if (Account* existing = state_.findAccount(account.id))
        *existing = account;
    else
        state_.accounts.push_back(account);
    save();
}

bool Service::removeAccount(std::string_view id) {
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(state_.accounts.begin(), state_.accounts.end(), [&](const Account& account) {
        return account.id == id;
    });
    if (it == state_.accounts.end())
        return false;
    state_.accounts.erase(it);
    save();
    return true;
}

Settings Service::settings() const {
    std::lock_guard lock(mutex_);
    return state_.settings;
}

void Service::setSettings(const Settings& settings) {
    std::lock_guard lock(mutex_);
    state_.settings = settings;
    save();
}

void Service::addReply(std::string accountId,
                       std::string number,
                       std::string text,
                       std::string port,
                       std::string time,
                       std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    state_.replies.push_back({std::move(accountId),
                              std::move(number),
                              std::move(text),
                              port.empty() ? std::string(kReplyPort) : std::move(port),
                              std::move(time),
                              nowMs() + delay.count()});
    save();
}

void Service::reset() {
    std::lock_guard lock(mutex_);
    state_ = ServiceState::initial();
    save();
}

void Service::save() const {
    if (stateFile_.empty())
        return;
    const std::filesystem::path temporary = stateFile_.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << stateToJson(state_).dump() << '\n';
        if (!out.flush())
            throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, stateFile_);
}

} // namespace parlumo::sim
