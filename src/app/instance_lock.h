#pragma once

#include "base/result.h"

#include <filesystem>

namespace vantrel {

// Tells whether another full instance of the program runs: each one holds a shared flock on
// the program's own file for its whole life, which the kernel drops when the process ends, so
// nothing stale is left behind by a crash.
class InstanceLock {
public:
    explicit InstanceLock(std::filesystem::path executable) : file_(std::move(executable)) {}
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Whether some process holds the lock. Test this before hold(): a process's own hold
    // counts as another instance. An unreadable file counts as no other instance.
    bool anotherInstanceRuns() const;

    // The test and the hold as one step, for a start that may become the instance: false when
    // another instance runs (or another start is taking this step at the same moment); true
    // when none does, and then the lock is held. Of many starts racing, exactly one gets true.
    // An unreadable file counts as no other instance, with nothing held.
    bool claim();

    // Takes the shared lock until this object ends. Holding it twice is harmless.
    Result hold();
    bool held() const { return fd_ >= 0; }

private:
    std::filesystem::path file_;
    int fd_ = -1;
};

} // namespace vantrel
