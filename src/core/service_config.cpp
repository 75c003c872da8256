#include "core/service_config.h"

#include "core/settings.h"

namespace parlumo {

namespace {

QString withoutTrailingSlash(QString base) {
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

} // namespace

ServiceAddresses readServiceAddresses(const Settings& settings) {
    const ServiceAddresses defaults = ServiceAddresses::builtIn();
    const QString section = QStringLiteral("service");
    const QString soapBase = withoutTrailingSlash(settings.ReadSetting(section, QStringLiteral("soap")));
    return ServiceAddresses{
        withoutTrailingSlash(settings.ReadSetting(section, QStringLiteral("host"), defaults.host)),
        withoutTrailingSlash(settings.ReadSetting(section, QStringLiteral("update"), defaults.update)),
        soapBase.isEmpty() ? defaults.soap : soapBase + QStringLiteral("/Service.asmx")};
}

} // namespace parlumo
