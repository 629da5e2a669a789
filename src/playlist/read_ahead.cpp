#include "playlist/read_ahead.h"

#include <algorithm>
#include <exception>
#include <iterator>

namespace vantrel {

ReadAhead::ReadAhead(int workers, ReaderFactory factory) : factory_(std::move(factory)) {
    for (int i = 0; i < std::max(1, workers); ++i)
        threads_.emplace_back([this] { work(); });
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

bool ReadAhead::workWaiting() const {
    return next_ < base_ + items_.size() && next_ < base_ + kAhead;
}

void ReadAhead::work() {
    Reader read;
    try {
        read = factory_();
    } catch (const std::exception&) {
    }
    std::unique_lock lock(mutex_);
    while (true) {
        ++idle_;
        wake_.wait(lock, [this] { return stopping_ || workWaiting(); });
        --idle_;
        if (stopping_) break;
        const std::uint64_t sequence = next_++;
        const std::string path = items_[sequence - base_].path;
        lock.unlock();
        auto out = std::make_unique<TrackRead>();
        try {
            if (read) read(path, *out);
        } catch (const std::exception&) {
            *out = TrackRead{};
        }
        lock.lock();
        // An item taken past or cancelled meanwhile is gone; its read is dropped.
        if (sequence >= base_) {
            items_[sequence - base_].read = std::move(out);
            // Only the list waiting for this very item is woken: a wake-up costs a system call.
            if (awaited_ == sequence) done_.notify_one();
        }
    }
    lock.unlock();
    read = nullptr; // on this thread, where it was made
}

void ReadAhead::submit(std::vector<std::string> paths) {
    if (paths.empty()) return;
    {
        std::lock_guard lock(mutex_);
        for (std::string& path : paths)
            items_.push_back(Item{std::move(path), nullptr});
    }
    wake_.notify_all();
}

std::optional<TrackRead> ReadAhead::take(const std::string& path) {
    std::unique_lock lock(mutex_);
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const Item& item) { return item.path == path; });
    if (found == items_.end()) return std::nullopt;
    const auto skipped = static_cast<std::uint64_t>(std::distance(items_.begin(), found));
    base_ += skipped;
    items_.erase(items_.begin(), found);
    next_ = std::max(next_, base_);
    if (skipped > 0 && idle_ > 0) wake_.notify_all();
    if (!items_.front().read) {
        awaited_ = base_;
        done_.wait(lock, [this] { return items_.front().read != nullptr; });
        awaited_ = kNone;
    }
    TrackRead read = std::move(*items_.front().read);
    items_.pop_front();
    ++base_;
    // One more item is now within reach of an idle worker.
    if (idle_ > 0 && workWaiting()) wake_.notify_one();
    return read;
}

void ReadAhead::cancel() {
    std::lock_guard lock(mutex_);
    base_ += items_.size();
    items_.clear();
    next_ = std::max(next_, base_);
}

std::size_t ReadAhead::queued() const {
    std::lock_guard lock(mutex_);
    return items_.size();
}

} // namespace vantrel
