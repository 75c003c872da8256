#pragma once

#include "sim/account.h"
#include "sim/json.h"
#include "sim/settings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace parlumo::sim {

enum class TaskKind { Voice, Fax, Call };

// One per-number result of a voice task, fax task or direct call.
struct ProgressRecord {
    std::string number;
    std::string duration; // seconds
    std::string cost;
    std::string status;
};

struct Task {
    std::string number;
    TaskKind kind = TaskKind::Voice;
    std::string account;
    std::vector<ProgressRecord> records;
    std::size_t handedOut = 0; // records already given to a poll
};

// A recipient's answer waiting in an account's reply box.
struct PendingReply {
    std::string account;
    std::string number;
    std::string text;
    std::string port;
    std::string time;       // as shown in the reply box; empty: the time it became due
    std::int64_t dueMs = 0; // milliseconds since the epoch
};

// Everything the service keeps, as it is saved in the state folder.
struct ServiceState {
    std::vector<Account> accounts;
    Settings settings;
    std::uint64_t nextTaskNumber = 10000001;
    std::uint64_t replyCounter = 0;
    std::vector<Task> tasks;
    std::vector<PendingReply> replies;

    // The state of a first start: the demo account and the default settings.
    static ServiceState initial();

    Account* findAccount(std::string_view id);
    const Account* findAccount(std::string_view id) const;
    Task* findTask(std::string_view number, TaskKind kind);
};

Json stateToJson(const ServiceState& state);
// Throws JsonError when the saved state is not readable.
ServiceState stateFromJson(const Json& json);

} // namespace parlumo::sim
