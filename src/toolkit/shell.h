#pragma once

#include <QString>

namespace parlumo {

// The seam for the shell's "open": start a program, or open a file or a web page with the
// desktop's handler. Neither waits; a failure is reported by the return value only.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool
    openProgram(const QString& program, const QString& parameters, const QString& workingFolder) = 0;
    virtual bool openDocument(const QString& fileOrUrl) = 0;
};

class DesktopShell final : public Shell {
public:
    bool
    openProgram(const QString& program, const QString& parameters, const QString& workingFolder) override;
    bool openDocument(const QString& fileOrUrl) override;
};

} // namespace parlumo
