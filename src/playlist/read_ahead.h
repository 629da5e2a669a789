#pragma once

#include "metadata/id3v1_block.h"
#include "metadata/stream_cells.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vantrel {

// What reading an added file gives: its tag and stream values, or that it cannot be listed.
struct TrackRead {
    bool listable = false;
    TagRead tag;
    StreamValues stream;
};

// Reads the files a long add is about to list on a few worker threads, ahead of the list.
// The list still takes its rows one at a time on its own thread, in the order it asks for
// them; take() hands over a path's read once it is done (waiting for it if need be), so the
// workers' timing never decides where a row goes.
class ReadAhead {
public:
    // Reads one file. Must not throw; a failure leaves `out.listable` false.
    using Reader = std::function<void(const std::string& path, TrackRead& out)>;
    // Called once on each worker thread, for that worker's reader: what the reader owns
    // (a probing player) is made, used and destroyed on that one thread.
    using ReaderFactory = std::function<Reader()>;

    // How far the workers run ahead of the list, in files.
    static constexpr std::size_t kAhead = 512;

    ReadAhead(int workers, ReaderFactory factory);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Appends paths to the queue, in the order the list will ask for them.
    void submit(std::vector<std::string> paths);
    // The read of `path` when it waits in the queue; the paths queued before it were passed
    // over and leave the queue. Nothing when it is not queued: the caller reads it itself.
    std::optional<TrackRead> take(const std::string& path);
    // Drops everything queued (the add ended).
    void cancel();
    std::size_t queued() const;

private:
    // Small while it waits: a hand-off may queue a million paths at once.
    struct Item {
        std::string path;
        std::unique_ptr<TrackRead> read; // set once read
    };
    void work();
    bool workWaiting() const;

    ReaderFactory factory_;
    mutable std::mutex mutex_;
    std::condition_variable wake_; // a worker may start an item, or must stop
    std::condition_variable done_; // an item was read
    std::deque<Item> items_;       // items_[0] has sequence number base_
    std::uint64_t base_ = 0;
    std::uint64_t next_ = 0; // the next sequence number a worker starts
    static constexpr std::uint64_t kNone = UINT64_MAX;
    std::uint64_t awaited_ = kNone; // the item the list waits for
    int idle_ = 0;                  // workers waiting for an item
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace vantrel
