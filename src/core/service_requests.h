#pragma once

#include "service/query.h"

#include <QString>

namespace parlumo {

struct Services;

// A GET made on the user-interface thread: the busy cursor shows while it blocks.
QString fetchShowingBusy(const QString& url);

// A query on the service host that carries the logged-in account's identifier and password,
// trimmed, as its first two keys.
QueryUrl accountQuery(const Services& services, const QString& path);

} // namespace parlumo
