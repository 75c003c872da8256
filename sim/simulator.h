#pragma once

#include "sim/account.h"
#include "sim/recorded_request.h"
#include "sim/scripted_reply.h"
#include "sim/settings.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace parlumo::sim {

struct SimulatorOptions {
    // Folder that keeps accounts, settings, tasks and replies across restarts;
    // empty: everything lives in memory only.
    std::filesystem::path stateDir;
    // File that every request is appended to as a JSON line; empty: none.
    std::filesystem::path logFile;
};

// The whole remote service on one loopback HTTP server: the service host's pages,
// the update host's version file and the SOAP endpoint "/Service.asmx", plus a
// control interface under "/__sim/" for tests.
class Simulator {
public:
    // Throws std::runtime_error when the state or the log file cannot be used.
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Listens on 127.0.0.1:port (0: any free port) and returns the port.
    // Throws std::runtime_error when the port cannot be had.
    int start(int port = 0);
    // Stops listening; requests waiting on a scripted delay are answered at once.
    void stop();
    bool running() const;
    int port() const;
    std::string baseUrl() const; // "http://127.0.0.1:PORT"
    std::string soapUrl() const; // baseUrl() + "/Service.asmx"

    std::vector<Account> accounts() const;
    std::optional<Account> account(const std::string& id) const;
    // Adds the account, or replaces the one with the same identifier.
    void putAccount(const Account& account);
    bool removeAccount(const std::string& id);

    Settings settings() const;
    void setSettings(const Settings& settings);

    // Puts a reply from number into the account's reply box, handed out once
    // delay has passed. An empty port or time takes the usual one.
    void addReply(const std::string& accountId,
                  const std::string& number,
                  const std::string& text,
                  const std::string& port = {},
                  const std::string& time = {},
                  std::chrono::milliseconds delay = std::chrono::milliseconds(0));

    // Queues a reply for the next request of path (compared without regard to
    // case); with soapOperation, for the next call of that operation only.
    void script(const std::string& path, ScriptedReply reply, const std::string& soapOperation = {});
    void clearScripts();

    std::vector<RecordedRequest> requests() const;
    void clearRequests();

    // Back to a first start: only the demo account, default settings, no tasks,
    // replies, scripts or recorded requests.
    void reset();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace parlumo::sim
