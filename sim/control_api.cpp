#include "sim/control_api.h"

#include "sim/ascii_text.h"
#include "sim/json_codec.h"
#include "sim/simulator.h"

namespace parlumo::sim {
namespace {

HttpReply json(const Json& value, int status = 200) {
    return {status, value.dump(), kJsonType};
}

HttpReply error(int status, const std::string& message) {
    return json(Json(Json::Object{{"error", message}}), status);
}

const Json& required(const Json& object, const char* name) {
    const Json* member = object.find(name);
    if (member == nullptr)
        throw JsonError(std::string("JSON: missing ") + name);
    return *member;
}

} // namespace

HttpReply ControlApi::handle(std::string_view method,
                             std::string_view path,
                             const FormParams& query,
                             std::string_view body) {
    try {
        const auto route = [&](std::string_view m, std::string_view p) { return method == m && path == p; };
        const auto input = [&] { return Json::parse(body.empty() ? std::string_view("{}") : body); };

        if (route("GET", "/__sim/info")) {
            return json(Json(Json::Object{{"port", simulator_.port()},
                                          {"baseUrl", simulator_.baseUrl()},
                                          {"soapUrl", simulator_.soapUrl()}}));
        }
        if (route("GET", "/__sim/accounts")) {
            Json::Array accounts;
            for (const Account& account : simulator_.accounts())
                accounts.push_back(accountToJson(account));
            return json(Json(Json::Object{{"accounts", Json(std::move(accounts))}}));
        }
        if (route("GET", "/__sim/account")) {
            const std::optional<Account> account = simulator_.account(query.get("id"));
            return account ? json(accountToJson(*account)) : error(404, "no such account");
        }
        if (route("POST", "/__sim/accounts")) {
            const Json request = input();
            const std::string id = required(request, "id").asString();
            if (id.empty())
                throw JsonError("JSON: id must not be empty");
            Account account = simulator_.account(id).value_or(standardAccount(id, {}));
            applyAccountJson(request, account);
            simulator_.putAccount(account);
            return json(accountToJson(account));
        }
        if (route("DELETE", "/__sim/account"))
            return json(Json(Json::Object{{"removed", simulator_.removeAccount(query.get("id"))}}));
        if (route("GET", "/__sim/settings"))
            return json(settingsToJson(simulator_.settings()));
        if (route("POST", "/__sim/settings")) {
            Settings settings = simulator_.settings();
            applySettingsJson(input(), settings);
            simulator_.setSettings(settings);
            return json(settingsToJson(settings));
        }
        if (route("POST", "/__sim/script")) {
            const Json request = input();
            const std::string scriptPath = required(request, "path").asString();
            const Json* operation = request.find("operation");
            std::vector<ScriptedReply> replies;
            for (const Json& item : required(request, "replies").asArray())
                replies.push_back(scriptedReplyFromJson(item));
            for (ScriptedReply& reply : replies)
                simulator_.script(scriptPath,
                                  std::move(reply),
                                  operation == nullptr ? std::string{} : operation->asString());
            return json(Json(Json::Object{{"queued", static_cast<std::uint64_t>(replies.size())}}));
        }
        if (route("DELETE", "/__sim/script")) {
            simulator_.clearScripts();
            return json(Json(Json::Object{}));
        }
        if (route("GET", "/__sim/requests")) {
            const std::optional<std::string> only = query.find("path");
            Json::Array requests;
            for (const RecordedRequest& request : simulator_.requests())
                if (!only || equalsIgnoringCase(request.path, *only))
                    requests.push_back(requestToJson(request));
            return json(Json(Json::Object{{"requests", Json(std::move(requests))}}));
        }
        if (route("DELETE", "/__sim/requests")) {
            simulator_.clearRequests();
            return json(Json(Json::Object{}));
        }
        if (route("POST", "/__sim/replies")) {
            const Json request = input();
            const auto text = [&](const char* name) {
                const Json* member = request.find(name);
                return member == nullptr ? std::string{} : member->asString();
            };
            const Json* delay = request.find("delayMs");
            simulator_.addReply(required(request, "account").asString(),
                                required(request, "number").asString(),
                                required(request, "text").asString(),
                                text("port"),
                                text("time"),
                                std::chrono::milliseconds(delay == nullptr ? 0 : delay->asInt()));
            return json(Json(Json::Object{}));
        }
        if (route("POST", "/__sim/reset")) {
            simulator_.reset();
            return json(Json(Json::Object{}));
        }
        return error(404, "no such control request: " + std::string(method) + " " + std::string(path));
    } catch (const JsonError& e) {
        return error(400, e.what());
    }
}

} // namespace parlumo::sim
