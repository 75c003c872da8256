#include "service/service_addresses.h"

namespace parlumo {

ServiceAddresses ServiceAddresses::builtIn() {
    return ServiceAddresses{QStringLiteral("http://service.parlumo.net"),
                            QStringLiteral("http://update.parlumo.net"),
                            QStringLiteral("http://soap.parlumo.net/Service.asmx")};
}

} // namespace parlumo
