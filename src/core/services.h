#pragma once

#include "service/service_addresses.h"

#include <QString>

namespace parlumo {

class AccountState;
class Database;
class FileDialogs;
class MessageBoxes;
class Settings;
class Service1Soap;
class Shell;

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class Tf_fax;
class TFAX_log;

// What every screen shares: the program folder, the settings file, the database, the account,
// the service's addresses and SOAP client, and the seams through which screens show messages,
// ask for files and open programs.
struct Services {
    QString programFolder;
    Settings* settings = nullptr;
    Database* database = nullptr;
    AccountState* account = nullptr;
    ServiceAddresses addresses;
    Service1Soap* soap = nullptr;
    // The installation's agent code, read from the settings when the login screen is shown.
    QString agentcode = QStringLiteral("OVARN");
    MessageBoxes* messages = nullptr;
    FileDialogs* fileDialogs = nullptr;
    Shell* shell = nullptr;
};

// The one object through which a screen reaches the program's services and the other screens'
// controls. Every screen exists from start-up to exit, so the pointers are set once.
struct Screens {
    Services services;

    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm4* Form4 = nullptr;
    TForm8* Form8 = nullptr;
    TForm9* Form9 = nullptr;
    TForm10* Form10 = nullptr;
    TForm11* Form11 = nullptr;
    Tf_fax* f_fax = nullptr;
    TFAX_log* FAX_log = nullptr;
    TForm12* Form12 = nullptr;
    TForm13* Form13 = nullptr;
    TForm14* Form14 = nullptr;
};

} // namespace parlumo
