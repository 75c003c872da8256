#include "core/service_requests.h"

#include "core/account_state.h"
#include "core/services.h"

namespace parlumo {

QueryUrl accountQuery(const Services& services, const QString& path) {
    const AccountFields account = services.account->get();
    QueryUrl url(services.addresses.host, path);
    url.add(QStringLiteral("uid"), account.uid.trimmed()).add(QStringLiteral("pwd"), account.pwd.trimmed());
    return url;
}

} // namespace parlumo
