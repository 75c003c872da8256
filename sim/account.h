#pragma once

#include "sim/money.h"

#include <string>

namespace parlumo::sim {

// The account that exists from the first start.
inline constexpr const char* kDemoAccountId = "demo";
inline constexpr const char* kDemoAccountPassword = "demo2026";

// One customer account of the service.
struct Account {
    std::string id;
    std::string password;
    Money balance;
    Money smsPrice;   // yuan per billed SMS part
    Money faxPrice;   // yuan per fax number
    Money voicePrice; // yuan per voice number (a direct call: per minute)
    Money mmsPrice;   // yuan per MMS number
    int maxSmsChars = 60;
    bool canSchedule = false;
    // SOAP endpoint that the login reply hands out; empty: the simulator's own.
    std::string serviceUrl;

    // What the registration page was given.
    std::string mobile;
    std::string company;
    std::string contact;
    std::string phone;
    std::string email;
    std::string agentCode;
    std::string address;

    bool operator==(const Account&) const = default;
};

// A new account with the service's standard prices and no credit.
Account standardAccount(std::string id, std::string password);
// The demo account as it is at the first start.
Account demoAccount();

} // namespace parlumo::sim
