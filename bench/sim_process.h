#pragma once

#include <QProcess>
#include <QString>
#include <string>

namespace parlumo::bench {

// parlumo-sim, started beside this program on a free port and stopped at the end, so that what
// a benchmark measures (time, CPU, memory) is the client's alone.
class SimulatorProcess {
public:
    SimulatorProcess();
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // "http://127.0.0.1:<port>"
    const QString& baseUrl() const { return baseUrl_; }
    QString soapUrl() const { return baseUrl_ + QStringLiteral("/Service.asmx"); }
    QString gatewayUrl() const { return baseUrl_ + QStringLiteral("/sys_port/gateway/index.asp"); }
    // Sends a request to the simulator's control interface (a JSON body, or none); raises
    // std::runtime_error unless it answers 200.
    void control(const char* method, const QString& path, const std::string& json = {}) const;

private:
    QProcess process_;
    QString baseUrl_;
};

} // namespace parlumo::bench
