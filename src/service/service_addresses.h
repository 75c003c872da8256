#pragma once

#include <QString>

namespace parlumo {

// The base addresses of the service host, the update host and the SOAP endpoint.
struct ServiceAddresses {
    QString host;
    QString update;
    QString soap; // the full address of "/Service.asmx"

    static ServiceAddresses builtIn();
};

} // namespace parlumo
