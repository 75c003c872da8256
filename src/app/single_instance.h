#pragma once

#include <QLockFile>
#include <QString>

namespace parlumo {

// The single-instance marker: a lock file named after "VezAvuz" in the user's runtime folder
// ($XDG_RUNTIME_DIR, else the temporary folder), held until the process ends. A lock left by a
// process that no longer runs is taken over.
class SingleInstance {
public:
    SingleInstance();
    bool acquired() const { return acquired_; }
    static QString lockPath();

private:
    QLockFile lock_;
    bool acquired_ = false;
};

} // namespace parlumo
