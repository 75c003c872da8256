#pragma once

#include "sim/simulator.h"
#include "tests/support/program_fixture.h"

#include <QString>

namespace parlumo::test {

// A running simulator on a free loopback port, fresh for each test.
class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() { sim.start(0); }
    QString base() const { return QString::fromStdString(sim.baseUrl()); }
    QString soap() const { return QString::fromStdString(sim.soapUrl()); }
    // The requests received for a path, in order.
    std::vector<sim::RecordedRequest> requestsTo(const std::string& path) const;

    sim::Simulator sim;
};

// A whole program whose settings point the service, update and SOAP addresses at a running
// simulator. The settings are written before the program is built.
class ProgramWithSimulatorTest : public ProgramTest {
protected:
    ProgramWithSimulatorTest();
    QString base() const { return QString::fromStdString(sim.baseUrl()); }
    std::vector<sim::RecordedRequest> requestsTo(const std::string& path) const;

    sim::Simulator sim;
};

std::vector<sim::RecordedRequest> requestsTo(const sim::Simulator& simulator, const std::string& path);

} // namespace parlumo::test
