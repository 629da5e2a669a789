#include "engine/command_thread.h"

#include <exception>
#include <iostream>

namespace vantrel {

namespace {

// Tasks report their own failures; this is the last guard, so that nothing thrown ends the
// process from a thread or leaves a caller of call() waiting for ever. It is a fault in the
// engine when it comes to this, so it is said where a developer looks.
void runSafely(const CommandThread::Task& task) {
    try {
        task();
    } catch (const std::exception& e) {
        std::cerr << "vantrel engine: a task failed: " << e.what() << std::endl;
    } catch (...) {
        std::cerr << "vantrel engine: a task failed with an unknown exception" << std::endl;
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
    bool here = false;
    {
        std::lock_guard lock(mutex_);
        here = sleeping_ && tasks_.empty() && !inline_;
        if (here) inline_ = true;
    }
    if (!here) return call(task);
    // The thread stays asleep until the task is done, so the task has everything to itself;
    // it runs without the lock, free to post.
    runSafely(task);
    bool news = false;
    {
        std::lock_guard lock(mutex_);
        inline_ = false;
        news = quit_ || !tasks_.empty();
    }
    // With nothing posted meanwhile the thread would only wake to fall asleep again: a context
    // switch per probe, twice per listed file.
    if (news) wake_.notify_all();
}

void CommandThread::run() {
    for (;;) {
        std::deque<Task> batch;
        bool quit = false;
        {
            std::unique_lock lock(mutex_);
            if (!busy_()) {
                sleeping_ = true;
                wake_.wait(lock, [this] { return (quit_ || !tasks_.empty()) && !inline_; });
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
