#pragma once

#include <thread>

namespace vantrel {

// Remembers the thread that created an object and, in debug builds, stops the program with a
// message when a method meant for that thread is called from another: such a call races with
// the owner's and fails only now and then, far from its cause.
class OwnerThread {
public:
    void check([[maybe_unused]] const char* method) const {
#ifndef NDEBUG
        if (std::this_thread::get_id() != owner_) fail(method);
#endif
    }

private:
    [[noreturn]] static void fail(const char* method);
    std::thread::id owner_ = std::this_thread::get_id();
};

} // namespace vantrel
