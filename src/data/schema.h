#pragma once

#include <QStringList>

namespace parlumo {

// The statements that create every table of the program where it is missing.
const QStringList& schemaStatements();

} // namespace parlumo
