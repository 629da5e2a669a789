#include "support/pulse_server.h"

#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vantrel::test {

int runCommand(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PulseServer::PulseServer(const std::filesystem::path& folder) {
    int status = runCommand(shellQuoted(VANTREL_START_PULSE) + " " + shellQuoted(folder.string()));
    if (status != 0) {
        missing_ = status == 77;
        problem_ = readFile(folder / "server.log");
        return;
    }
    setenv("PULSE_SERVER", ("unix:" + (folder / "native").string()).c_str(), 1);
    std::ifstream(folder / "run" / "pid") >> pid_;
}

PulseServer::~PulseServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 100 && kill(pid_, 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (kill(pid_, 0) == 0) kill(pid_, SIGKILL);
    unsetenv("PULSE_SERVER");
}

MonitorRecorder::MonitorRecorder(const std::filesystem::path& waveFile) {
    std::string path = waveFile.string();
    const char* argv[] = {
        "parec",      "-d",   "testsink.monitor", "--latency-msec=20", "--file-format=wav",
        path.c_str(), nullptr};
    if (posix_spawnp(&pid_, "parec", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        pid_ = 0;
    // parec needs a moment to connect; what plays before that would be lost.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

MonitorRecorder::~MonitorRecorder() {
    stop();
}

void MonitorRecorder::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGINT); // parec completes the wave header on an interrupt
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
}

} // namespace vantrel::test
