#pragma once

#include "app/collect_target.h"
#include "app/handoff_file.h"
#include "app/handoff_line.h"
#include "platform/timer.h"

#include <string_view>

namespace vantrel {

// Collects the hand-off file once, about a second after the main window has loaded: gives
// every argument in it to infile, then plays the first row or opens the tag editor on all
// rows when the last argument asked for it.
class HandOffCollector {
public:
    static constexpr int kCollectDelay = 1000;

    // Sets up tmrCollect (1000 ms, disabled); its tick collects once.
    HandOffCollector(HandOffFile file, CollectTarget& target, Timer& tmrCollect);
    // The timer's handler points here.
    HandOffCollector(const HandOffCollector&) = delete;
    HandOffCollector& operator=(const HandOffCollector&) = delete;

    // Start-up enables tmrCollect once the main window has loaded.
    void arm();

    // The tick's work, without the timer.
    void collect();

    // Handles one argument: opens a playlist or adds a file, and sets the requests.
    void infile(const HandOffArgument& filIn);

    bool playOnCollect() const { return playOnCollect_; }
    bool editOnCollect() const { return editOnCollect_; }

private:
    void actOnRequests();
    // The file an argument adds as a track, if it adds one; empty otherwise.
    static std::string trackOf(const HandOffArgument& filIn);

    HandOffFile file_;
    CollectTarget& target_;
    Timer& tmrCollect_;
    bool playOnCollect_ = false;
    bool editOnCollect_ = false;
};

} // namespace vantrel
