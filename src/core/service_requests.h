#pragma once

#include "service/query.h"

#include <QString>

namespace parlumo {

struct Services;

// A query on the service host that carries the logged-in account's identifier and password,
// trimmed, as its first two keys.
QueryUrl accountQuery(const Services& services, const QString& path);

} // namespace parlumo
