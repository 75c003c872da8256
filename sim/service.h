#pragma once

#include "sim/account.h"
#include "sim/form_params.h"
#include "sim/http_reply.h"
#include "sim/service_state.h"
#include "sim/settings.h"
#include "sim/soap.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parlumo::sim {

struct ServiceRequest {
    std::string method;
    std::string path; // percent-decoded path
    FormParams query;
    FormParams form; // fields of an urlencoded body
};

// The simulated service: accounts, billing, replies and task progress behind the
// pages of the service host, the update host and the SOAP operations. Thread-safe.
class Service {
public:
    // Keeps its state in stateDir (read at construction, written after every change);
    // an empty path keeps it in memory only. Throws std::runtime_error for an unreadable state.
    explicit Service(std::filesystem::path stateDir);

    // The SOAP address that login replies hand out to accounts without their own.
    void setOwnServiceUrl(std::string url);

    // A page of the service or update host, answered in GBK; nullopt for any other path.
    std::optional<HttpReply> page(const ServiceRequest& request);
    // The result text of a SOAP operation. Throws SoapFault.
    std::string call(const SoapCall& call);

    std::vector<Account> accounts() const;
    std::optional<Account> account(std::string_view id) const;
    void putAccount(const Account& account);
    bool removeAccount(std::string_view id);
    Settings settings() const;
    void setSettings(const Settings& settings);
    // Puts a reply into an account's reply box; an empty port or time takes the usual one.
    void addReply(std::string accountId,
                  std::string number,
                  std::string text,
                  std::string port,
                  std::string time,
                  std::chrono::milliseconds delay);
    // Back to the state of a first start.
    void reset();

private:
    // Pages and operations; each runs with mutex_ held and returns the reply text.
    std::string login(const ServiceRequest& request);
    std::string balance(const ServiceRequest& request);
    std::string changePassword(const ServiceRequest& request);
    std::string registerAccount(const ServiceRequest& request);
    std::string smsGateway(const ServiceRequest& request);
    std::string replyBox(const ServiceRequest& request);
    std::string news(const ServiceRequest& request);
    std::string versionFile(const ServiceRequest& request);
    std::string directCall(const ServiceRequest& request);
    std::string voiceProgress(const ServiceRequest& request);
    std::string faxProgress(const ServiceRequest& request);
    std::string getUserInfo(const SoapCall& call);
    std::string sendMms(const SoapCall& call);
    std::string sendVoice(const SoapCall& call);
    std::string sendFax(const SoapCall& call);

    // The code that refuses these credentials ("-09", "-04", "-02", "-03"), or nullopt.
    std::optional<std::string> refusal(std::string_view id, std::string_view password) const;
    std::string progress(const ServiceRequest& request, bool voicePage);
    std::string newTaskNumber();
    void queueReplies(const Account& account, const std::vector<std::string>& numbers);
    void save() const;

    mutable std::mutex mutex_;
    std::filesystem::path stateFile_;
    ServiceState state_;
    std::string ownServiceUrl_;
    bool changed_ = false;
};

} // namespace parlumo::sim
