#include "tests/support/sim_fixture.h"

#include "core/settings.h"

#include <QDir>
#include <algorithm>

namespace parlumo::test {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

std::vector<sim::RecordedRequest> requestsTo(const sim::Simulator& simulator, const std::string& path) {
    std::vector<sim::RecordedRequest> matching;
    for (const sim::RecordedRequest& request : simulator.requests())
        if (lower(request.path) == lower(path))
            matching.push_back(request);
    return matching;
}

std::vector<sim::RecordedRequest> SimulatorTest::requestsTo(const std::string& path) const {
    return test::requestsTo(sim, path);
}

ProgramWithSimulatorTest::ProgramWithSimulatorTest() {
    sim.start(0);
    const Settings settings(QDir(folder()).filePath(QStringLiteral("ovarn.ini")));
    for (const char* key : {"host", "update", "soap"})
        settings.WriteSetting(QStringLiteral("service"), QString::fromLatin1(key), base());
}

std::vector<sim::RecordedRequest> ProgramWithSimulatorTest::requestsTo(const std::string& path) const {
    return test::requestsTo(sim, path);
}

} // namespace parlumo::test
