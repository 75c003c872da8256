#pragma once

#include "service/service_addresses.h"

#include <QString>

namespace parlumo {

class AccountState;
class Database;
class FileDialogs;
class MessageBoxes;
class Settings;
class Shell;

// What every screen shares: the program folder, the settings file, the database, the account,
// the service's addresses, and the seams through which screens show messages,
// ask for files and open programs. Every screen lives from start-up to exit, so it is set once.
struct Services {
    QString programFolder;
    Settings* settings = nullptr;
    Database* database = nullptr;
    AccountState* account = nullptr;
    ServiceAddresses addresses;
    // The installation's agent code, read from the settings when the login screen is shown.
    QString agentcode = QStringLiteral("OVARN");
    MessageBoxes* messages = nullptr;
    FileDialogs* fileDialogs = nullptr;
    Shell* shell = nullptr;
};

} // namespace parlumo
