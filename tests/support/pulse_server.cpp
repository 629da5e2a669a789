#include "support/pulse_server.h"

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

namespace {

bool processAlive(pid_t pid) {
    return kill(pid, 0) == 0;
}

} // namespace

int runCommand(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PulseServer::PulseServer(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directories(folder_ / "run");
    std::string socket = (folder_ / "native").string();
    // As root the server wants --system; -D with its own runtime folder works all the same.
    std::string start = "cd '" + folder_.string() + "' && HOME='" + folder_.string() +
                        "' XDG_CONFIG_HOME='" + (folder_ / "config").string() +
                        "' PULSE_RUNTIME_PATH='" + (folder_ / "run").string() +
                        "' pulseaudio -D -n --exit-idle-time=-1 --daemonize=yes "
                        "--load='module-null-sink sink_name=testsink' "
                        "--load='module-native-protocol-unix auth-anonymous=1 socket=" +
                        socket + "' >'" + (folder_ / "server.log").string() + "' 2>&1";
    if (runCommand("command -v pulseaudio >/dev/null") != 0) {
        problem_ = "pulseaudio is not installed";
        return;
    }
    if (runCommand(start) != 0) {
        problem_ = "pulseaudio did not start (see " + (folder_ / "server.log").string() + ")";
        return;
    }
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    for (int i = 0; i < 100; ++i) {
        if (runCommand("pactl info >/dev/null 2>&1") == 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::ifstream pidFile(folder_ / "run" / "pid");
    pidFile >> pid_;
    if (pid_ <= 0 || runCommand("pactl set-default-sink testsink >/dev/null 2>&1") != 0) {
        problem_ = "pulseaudio started but does not answer";
        if (pid_ > 0) kill(pid_, SIGTERM);
        pid_ = 0;
    }
}

PulseServer::~PulseServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 100 && processAlive(pid_); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (processAlive(pid_)) kill(pid_, SIGKILL);
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
