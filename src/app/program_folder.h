#pragma once

#include <QString>

namespace parlumo {

// The folder that holds every fixed file of the program: $PARLUMO_HOME when set, else the
// executable's folder when it is writable, else the per-user data folder. Created when missing.
QString resolveProgramFolder();

} // namespace parlumo
