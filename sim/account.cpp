#include "sim/account.h"

#include <utility>

namespace parlumo::sim {

Account standardAccount(std::string id, std::string password) {
    Account account;
    account.id = std::move(id);
    account.password = std::move(password);
    account.smsPrice = *Money::parse("0.08");
    account.faxPrice = *Money::parse("0.2");
    account.voicePrice = *Money::parse("0.15");
    account.mmsPrice = *Money::parse("0.25");
    return account;
}

Account demoAccount() {
    Account account = standardAccount(kDemoAccountId, kDemoAccountPassword);
    account.balance = *Money::parse("1000");
    account.canSchedule = true;
    account.contact = "演示用户";
    return account;
}

} // namespace parlumo::sim
