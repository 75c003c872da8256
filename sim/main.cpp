// parlumo-sim: the remote messaging service, simulated on 127.0.0.1.
#include "sim/simulator.h"

#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "usage: parlumo-sim [--port N] [--state DIR] [--log FILE]\n"
    "  --port N     port on 127.0.0.1 to listen on; 0 (the default) takes any free port\n"
    "  --state DIR  folder that keeps accounts and tasks across restarts (default: memory only)\n"
    "  --log FILE   append every request to FILE as a JSON line\n";

struct Options {
    int port = 0;
    parlumo::sim::SimulatorOptions simulator;
};

// Reads the command line; exits with status 2 on a mistake.
Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            std::exit(0);
        }
        if (i + 1 >= argc || (arg != "--port" && arg != "--state" && arg != "--log")) {
            std::cerr << "parlumo-sim: unexpected argument " << arg << "\n" << kUsage;
            std::exit(2);
        }
        const std::string value = argv[++i];
        if (arg == "--port") {
            char* end = nullptr;
            const long port = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || port < 0 || port > 65535) {
                std::cerr << "parlumo-sim: --port needs a number from 0 to 65535\n";
                std::exit(2);
            }
            options.port = static_cast<int>(port);
        } else if (arg == "--state") {
            options.simulator.stateDir = value;
        } else {
            options.simulator.logFile = value;
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);

    // SIGINT and SIGTERM are taken by sigwait below; blocking them before any thread
    // starts keeps every thread of the server from receiving them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        parlumo::sim::Simulator simulator(options.simulator);
        const int port = simulator.start(options.port);
        std::cout << "parlumo-sim listening on 127.0.0.1:" << port << std::endl;
        int received = 0;
        sigwait(&stopSignals, &received);
        simulator.stop();
    } catch (const std::exception& e) {
        std::cerr << "parlumo-sim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
