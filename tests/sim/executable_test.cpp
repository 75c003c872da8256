// The parlumo-sim program itself, started as a process.
#include "sim/json.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace parlumo::sim::test {
namespace {

// The simulator program with its standard output on a pipe.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        std::vector<std::string> argv = {PARLUMO_SIM_EXECUTABLE};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> pointers;
        for (std::string& a : argv)
            pointers.push_back(a.data());
        pointers.push_back(nullptr);
        const int spawned =
            posix_spawn(&pid_, PARLUMO_SIM_EXECUTABLE, &actions, nullptr, pointers.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        output_ = fds[0];
        if (spawned != 0)
            throw std::runtime_error("cannot start " PARLUMO_SIM_EXECUTABLE);
    }

    ~SimProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(output_);
    }

    // The first line the program printed (blocks until it is complete or the pipe closes).
    std::string firstLine() {
        std::string line;
        char c = 0;
        while (read(output_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    // Sends the signal and returns the exit status, or -1 when the program did not exit normally.
    int stopWith(int signal) {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

int portFrom(const std::string& line) {
    std::smatch m;
    if (!std::regex_match(line, m, std::regex(R"(parlumo-sim listening on 127\.0\.0\.1:(\d+))")))
        return 0;
    return std::stoi(m[1]);
}

std::string get(int port, const std::string& target) {
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    const httplib::Result result = client.Get(target);
    return result && result->status == 200 ? result->body : "(failed)";
}

class ExecutableTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("parlumo-sim-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};

TEST_F(ExecutableTest, PrintsItsPortKeepsStateAndStopsCleanly) {
    const std::string state = (dir / "state").string();
    const std::string log = (dir / "requests.jsonl").string();
    std::filesystem::create_directories(dir);
    {
        SimProcess sim({"--port", "0", "--state", state, "--log", log});
        const int port = portFrom(sim.firstLine());
        ASSERT_GT(port, 0);
        EXPECT_EQ(get(port,
                      "/webservice/public/softreg.asp?uid=keeper&pwd=Keep2026x&proid=1&mob=13912345678"
                      "&coname=&linkman=Li&tel=&email=&agentcode=&add=%20"),
                  "000");
        EXPECT_EQ(sim.stopWith(SIGTERM), 0);
    }

    std::ifstream lines(log);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    const Json entry = Json::parse(line);
    EXPECT_EQ(entry.find("path")->asString(), "/webservice/public/softreg.asp");
    EXPECT_EQ(entry.find("query")->asString().substr(0, 11), "uid=keeper&");

    SimProcess again({"--state", state});
    const int port = portFrom(again.firstLine());
    ASSERT_GT(port, 0);
    EXPECT_EQ(get(port, "/webservice/public/remoney.asp?uid=keeper&pwd=Keep2026x&proid=1"), "0");
    EXPECT_EQ(again.stopWith(SIGINT), 0);
}

TEST(Simulator, CannotTakeAPortInUse) {
    Simulator first;
    const int port = first.start(0);
    Simulator second;
    EXPECT_THROW(second.start(port), std::runtime_error);
    EXPECT_EQ(get(port, "/download/bexol.txt"), "[update]\r\nversion=4.4.0.0\r\n");
}

TEST_F(ExecutableTest, RefusesAnUnknownOption) {
    SimProcess sim({"--colour", "blue"});
    EXPECT_EQ(sim.firstLine(), "");
    EXPECT_EQ(sim.stopWith(SIGTERM), 2);
}

} // namespace
} // namespace parlumo::sim::test
