#include "sim/json_codec.h"

#include "sim/base64.h"
#include "sim/gbk.h"

namespace parlumo::sim {
namespace {

Money moneyFrom(const Json& json, const char* name) {
    const std::optional<Money> money = Money::parse(json.asText());
    if (!money)
        throw JsonError(std::string("JSON: ") + name + " is not an exact decimal with at most four decimals");
    return *money;
}

void applyText(const Json& json, const char* name, std::string& target) {
    if (const Json* member = json.find(name))
        target = member->asString();
}

void applyMoney(const Json& json, const char* name, Money& target) {
    if (const Json* member = json.find(name))
        target = moneyFrom(*member, name);
}

Json namedValues(const std::vector<NamedValue>& values) {
    Json::Array items;
    for (const NamedValue& v : values)
        items.push_back(Json(Json::Object{{"name", v.name}, {"value", v.value}}));
    return Json(std::move(items));
}

} // namespace

Json accountToJson(const Account& account) {
    return Json(Json::Object{
        {"id", account.id},
        {"password", account.password},
        {"balance", account.balance.toString()},
        {"smsPrice", account.smsPrice.toString()},
        {"faxPrice", account.faxPrice.toString()},
        {"voicePrice", account.voicePrice.toString()},
        {"mmsPrice", account.mmsPrice.toString()},
        {"maxSmsChars", account.maxSmsChars},
        {"canSchedule", account.canSchedule},
        {"serviceUrl", account.serviceUrl},
        {"mobile", account.mobile},
        {"company", account.company},
        {"contact", account.contact},
        {"phone", account.phone},
        {"email", account.email},
        {"agentCode", account.agentCode},
        {"address", account.address},
    });
}

void applyAccountJson(const Json& json, Account& account) {
    json.asObject();
    applyText(json, "id", account.id);
    applyText(json, "password", account.password);
    applyMoney(json, "balance", account.balance);
    applyMoney(json, "smsPrice", account.smsPrice);
    applyMoney(json, "faxPrice", account.faxPrice);
    applyMoney(json, "voicePrice", account.voicePrice);
    applyMoney(json, "mmsPrice", account.mmsPrice);
    if (const Json* member = json.find("maxSmsChars"))
        account.maxSmsChars = static_cast<int>(member->asInt());
    if (const Json* member = json.find("canSchedule"))
        account.canSchedule = member->asBool();
    applyText(json, "serviceUrl", account.serviceUrl);
    applyText(json, "mobile", account.mobile);
    applyText(json, "company", account.company);
    applyText(json, "contact", account.contact);
    applyText(json, "phone", account.phone);
    applyText(json, "email", account.email);
    applyText(json, "agentCode", account.agentCode);
    applyText(json, "address", account.address);
}

Json settingsToJson(const Settings& settings) {
    Json::Array keywords;
    for (const std::string& k : settings.keywords)
        keywords.push_back(Json(k));
    return Json(Json::Object{
        {"maintenance", settings.maintenance},
        {"offeredVersion", settings.offeredVersion},
        {"replyDelayMs", settings.replyDelayMs},
        {"progressPerPoll", settings.progressPerPoll},
        {"keywords", Json(std::move(keywords))},
        {"news", settings.news},
    });
}

void applySettingsJson(const Json& json, Settings& settings) {
    json.asObject();
    if (const Json* member = json.find("maintenance"))
        settings.maintenance = member->asBool();
    applyText(json, "offeredVersion", settings.offeredVersion);
    if (const Json* member = json.find("replyDelayMs"))
        settings.replyDelayMs = static_cast<int>(member->asInt());
    if (const Json* member = json.find("progressPerPoll"))
        settings.progressPerPoll = static_cast<int>(member->asInt());
    if (const Json* member = json.find("keywords")) {
        std::vector<std::string> keywords;
        for (const Json& k : member->asArray())
            keywords.push_back(k.asString());
        settings.keywords = std::move(keywords);
    }
    applyText(json, "news", settings.news);
}

Json requestToJson(const RecordedRequest& request) {
    Json soap;
    if (!request.soapOperation.empty()) {
        Json::Array params;
        for (const SoapParam& p : request.soapParams) {
            params.push_back(Json(Json::Object{
                {"name", p.name}, {"namespace", p.namespaceUri}, {"value", p.value}, {"nil", p.nil}}));
        }
        soap = Json(Json::Object{{"operation", request.soapOperation}, {"params", Json(std::move(params))}});
    }
    return Json(Json::Object{
        {"sequence", request.sequence},
        {"method", request.method},
        {"path", request.path},
        {"query", request.query},
        {"headers", namedValues(request.headers)},
        {"body", request.body},
        {"bodyBase64", base64Encode(request.body)},
        {"params", namedValues(request.params)},
        {"soap", std::move(soap)},
        {"status", request.status},
    });
}

ScriptedReply scriptedReplyFromJson(const Json& json) {
    json.asObject();
    ScriptedReply reply;
    if (const Json* member = json.find("status"))
        reply.status = static_cast<int>(member->asInt());
    const Json* body = json.find("body");
    const Json* bodyBase64 = json.find("bodyBase64");
    if (body != nullptr && bodyBase64 != nullptr)
        throw JsonError("JSON: give body or bodyBase64, not both");
    if (body != nullptr) {
        const Json* charset = json.find("charset");
        const std::string encoding = charset == nullptr ? "gbk" : charset->asString();
        if (encoding != "gbk" && encoding != "utf-8")
            throw JsonError("JSON: charset must be \"gbk\" or \"utf-8\"");
        reply.body = encoding == "gbk" ? utf8ToGbk(body->asString()) : body->asString();
    }
    if (bodyBase64 != nullptr) {
        std::optional<std::string> bytes = base64Decode(bodyBase64->asString());
        if (!bytes)
            throw JsonError("JSON: bodyBase64 is not base64");
        reply.body = std::move(bytes);
    }
    applyText(json, "contentType", reply.contentType);
    if (const Json* member = json.find("soapResult"))
        reply.soapResult = member->asString();
    if (const Json* member = json.find("soapFault"))
        reply.soapFault = member->asString();
    if (const Json* member = json.find("delayMs"))
        reply.delay = std::chrono::milliseconds(member->asInt());
    if (const Json* member = json.find("drop"))
        reply.drop = member->asBool();
    if (const Json* member = json.find("reset"))
        reply.reset = member->asBool();
    return reply;
}

} // namespace parlumo::sim
