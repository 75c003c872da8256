#pragma once

#include "sim/account.h"
#include "sim/json.h"
#include "sim/recorded_request.h"
#include "sim/scripted_reply.h"
#include "sim/settings.h"

namespace parlumo::sim {

Json accountToJson(const Account& account);
// Applies the members present in json to account. Throws JsonError on a wrong
// type or an amount that is not an exact decimal.
void applyAccountJson(const Json& json, Account& account);

Json settingsToJson(const Settings& settings);
void applySettingsJson(const Json& json, Settings& settings);

Json requestToJson(const RecordedRequest& request);

ScriptedReply scriptedReplyFromJson(const Json& json);

} // namespace parlumo::sim
