#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vantrel {

// One thread that runs posted tasks in order and, while it has work of its own (a track
// playing), calls a step function between them.
class CommandThread {
public:
    using Task = std::function<void()>;
    // step() runs repeatedly while busy() is true; both run on the thread only.
    CommandThread(std::function<bool()> busy, Task step);
    ~CommandThread(); // runs what is posted, then ends the thread
    CommandThread(const CommandThread&) = delete;
    CommandThread& operator=(const CommandThread&) = delete;

    void post(Task task);
    // Runs the task on the thread and waits for it. Never from the thread itself.
    void call(const Task& task);
    // As call(), but when the thread sleeps with nothing to do the task runs on the caller's
    // thread instead, saving the hand-over (a probe costs less than waking a thread). Only for
    // tasks that do not start work of the thread's own. The task may post; what it posts runs
    // after it.
    void callInline(const Task& task);

private:
    void run();
    std::function<bool()> busy_;
    Task step_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> tasks_;
    bool quit_ = false;
    bool sleeping_ = false; // waiting for tasks, nothing of its own to do
    bool inline_ = false;   // a caller runs a task in the thread's stead; the thread waits
    std::thread thread_;
};

} // namespace vantrel
