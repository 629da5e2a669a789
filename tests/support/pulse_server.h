#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace vantrel::test {

// A private PulseAudio server with one null sink "testsink", for end-to-end tests. It lives in
// its own folder and this process (and its children) talk to it through PULSE_SERVER.
class PulseServer {
public:
    explicit PulseServer(const std::filesystem::path& folder);
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    bool running() const { return pid_ > 0; }
    // Not running because PulseAudio is not installed, rather than because it failed to start.
    bool missing() const { return missing_; }
    const std::string& problem() const { return problem_; }

private:
    pid_t pid_ = 0;
    bool missing_ = false;
    std::string problem_;
};

// Records the null sink's monitor into a wave file from construction to stop().
class MonitorRecorder {
public:
    explicit MonitorRecorder(const std::filesystem::path& waveFile);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;
    void stop();

private:
    pid_t pid_ = 0;
};

// Runs a shell command; its exit status.
int runCommand(const std::string& command);

} // namespace vantrel::test
