#pragma once

#include "service/service_addresses.h"

namespace parlumo {

class Settings;

// The built-in addresses, each replaced by the settings file's section "service" when it names one:
// "host", "update" and "soap" are base addresses such as http://127.0.0.1:8080.
ServiceAddresses readServiceAddresses(const Settings& settings);

} // namespace parlumo
