#include "engine/command_thread.h"

namespace vantrel {

namespace {

// Tasks report their own failures; this is the last guard, so that nothing thrown ends the
// process from a thread or leaves a caller of call() waiting for ever.
void runSafely(const CommandThread::Task& task) {
    try {
        task();
    } catch (...) {
    }
}

} // namespace

CommandThread::CommandThread(std::function<bool()> busy, Task step)
    : busy_(std::move(busy)), step_(std::move(step)), thread_([this] { run(); }) {}

CommandThread::~CommandThread() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void CommandThread::post(Task task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_all();
}

void CommandThread::call(const Task& task) {
    std::mutex doneMutex;
    std::condition_variable doneSignal;
    bool done = false;
    post([&] {
        runSafely(task);
        std::lock_guard lock(doneMutex);
        done = true;
        doneSignal.notify_all();
    });
    std::unique_lock lock(doneMutex);
    doneSignal.wait(lock, [&] { return done; });
}

void CommandThread::callInline(const Task& task) {
    {
        std::lock_guard lock(mutex_);
        if (sleeping_ && tasks_.empty()) {
            // The thread cannot wake without this lock, so the task has everything to itself.
            runSafely(task);
            return;
        }
    }
    call(task);
}

void CommandThread::run() {
    for (;;) {
        std::deque<Task> batch;
        bool quit = false;
        {
            std::unique_lock lock(mutex_);
            if (!busy_()) {
                sleeping_ = true;
                wake_.wait(lock, [this] { return quit_ || !tasks_.empty(); });
                sleeping_ = false;
            }
            batch.swap(tasks_);
            quit = quit_;
        }
        for (Task& task : batch)
            runSafely(task);
        if (quit) return;
        if (busy_()) runSafely(step_);
    }
}

} // namespace vantrel
