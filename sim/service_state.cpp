#include "sim/service_state.h"

#include "sim/json_codec.h"

namespace parlumo::sim {
namespace {

const char* kindName(TaskKind kind) {
    switch (kind) {
    case TaskKind::Voice:
        return "voice";
    case TaskKind::Fax:
        return "fax";
    case TaskKind::Call:
        return "call";
    }
    return "voice";
}

TaskKind kindFromName(const std::string& name) {
    if (name == "voice")
        return TaskKind::Voice;
    if (name == "fax")
        return TaskKind::Fax;
    if (name == "call")
        return TaskKind::Call;
    throw JsonError("JSON: unknown task kind " + name);
}

const std::string& member(const Json& json, const char* name) {
    const Json* value = json.find(name);
    if (value == nullptr)
        throw JsonError(std::string("JSON: missing ") + name);
    return value->asText();
}

std::uint64_t wholeNumber(const Json& json, const char* name) {
    const Json* value = json.find(name);
    if (value == nullptr)
        throw JsonError(std::string("JSON: missing ") + name);
    return static_cast<std::uint64_t>(value->asInt());
}

const Json::Array& list(const Json& json, const char* name) {
    static const Json::Array empty;
    const Json* value = json.find(name);
    return value == nullptr ? empty : value->asArray();
}

} // namespace

ServiceState ServiceState::initial() {
    ServiceState state;
    state.accounts.push_back(demoAccount());
    state.settings = defaultSettings();
    return state;
}

Account* ServiceState::findAccount(std::string_view id) {
    for (Account& account : accounts)
        if (account.id == id)
            return &account;
    return nullptr;
}

const Account* ServiceState::findAccount(std::string_view id) const {
    for (const Account& account : accounts)
        if (account.id == id)
            return &account;
    return nullptr;
}

Task* ServiceState::findTask(std::string_view number, TaskKind kind) {
    for (Task& task : tasks)
        if (task.number == number && task.kind == kind)
            return &task;
    return nullptr;
}

Json stateToJson(const ServiceState& state) {
    Json::Array accounts;
    for (const Account& account : state.accounts)
        accounts.push_back(accountToJson(account));
    Json::Array tasks;
    for (const Task& task : state.tasks) {
        Json::Array records;
        for (const ProgressRecord& r : task.records) {
            records.push_back(Json(Json::Object{
                {"number", r.number}, {"duration", r.duration}, {"cost", r.cost}, {"status", r.status}}));
        }
        tasks.push_back(Json(Json::Object{{"number", task.number},
                                          {"kind", kindName(task.kind)},
                                          {"account", task.account},
                                          {"records", Json(std::move(records))},
                                          {"handedOut", static_cast<std::uint64_t>(task.handedOut)}}));
    }
    Json::Array replies;
    for (const PendingReply& r : state.replies) {
        replies.push_back(Json(Json::Object{{"account", r.account},
                                            {"number", r.number},
                                            {"text", r.text},
                                            {"port", r.port},
                                            {"time", r.time},
                                            {"dueMs", r.dueMs}}));
    }
    return Json(Json::Object{{"accounts", Json(std::move(accounts))},
                             {"settings", settingsToJson(state.settings)},
                             {"nextTaskNumber", state.nextTaskNumber},
                             {"replyCounter", state.replyCounter},
                             {"tasks", Json(std::move(tasks))},
                             {"replies", Json(std::move(replies))}});
}

ServiceState stateFromJson(const Json& json) {
    ServiceState state;
    state.settings = defaultSettings();
    for (const Json& item : list(json, "accounts")) {
        Account account;
        applyAccountJson(item, account);
        state.accounts.push_back(std::move(account));
    }
    if (const Json* settings = json.find("settings"))
        applySettingsJson(*settings, state.settings);
    state.nextTaskNumber = wholeNumber(json, "nextTaskNumber");
    state.replyCounter = wholeNumber(json, "replyCounter");
    for (const Json& item : list(json, "tasks")) {
        Task task;
        task.number = member(item, "number");
        task.kind = kindFromName(member(item, "kind"));
        task.account = member(item, "account");
        for (const Json& r : list(item, "records"))
            task.records.push_back(
                {member(r, "number"), member(r, "duration"), member(r, "cost"), member(r, "status")});
        task.handedOut = static_cast<std::size_t>(wholeNumber(item, "handedOut"));
        if (task.handedOut > task.records.size())
            throw JsonError("JSON: task " + task.number + " hands out too much");
        state.tasks.push_back(std::move(task));
    }
    for (const Json& item : list(json, "replies")) {
        state.replies.push_back({member(item, "account"),
                                 member(item, "number"),
                                 member(item, "text"),
                                 member(item, "port"),
                                 member(item, "time"),
                                 static_cast<std::int64_t>(wholeNumber(item, "dueMs"))});
    }
    return state;
}

} // namespace parlumo::sim
