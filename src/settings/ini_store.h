#pragma once

#include "base/result.h"
#include "settings/setting_key.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

// The settings file: one value read or written per call (a batch gathers many writes into one),
// section and key names matched without regard to letter case. Every write replaces the file
// atomically under an exclusive lock, so several running instances never see or leave a
// half-written file; lines the store does not touch stay byte for byte as they were.
//
// The file is parsed once and parsed again only when it changed (another inode, size or time),
// so a large file costs one parse, not one per read; the store's own writes keep that copy
// current. Only a regular file counts: a FIFO reads as missing and is never written. A settings
// file that is a symbolic link is written through to its target, and the link stays.
// A store is used from one thread at a time.
class IniStore {
public:
    static constexpr std::size_t kMaxValueLength = 127;

    // While a batch is open, every put of the store is held in memory (and read back by getIni)
    // and the whole run is written with one replace of the file when the batch ends, as if the
    // puts had been written one by one. A batch opened inside another joins it: only the
    // outermost writes. A batch that ends without commit() commits quietly.
    class [[nodiscard]] Batch {
    public:
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        Result commit();

    private:
        friend class IniStore;
        explicit Batch(const IniStore& store);
        const IniStore& store_;
        bool open_ = true;
    };
    Batch beginBatch() const { return Batch(*this); }

    explicit IniStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }

    // The value trimmed of surrounding blanks and cut to 127 characters; empty when the file,
    // the section or the key is missing. Never creates anything.
    std::string getIni(const std::string& section, const std::string& key) const;

    // Stores the value, creating the file, section and key as needed. Line breaks in the value
    // become blanks (one line holds one key).
    Result putIni(const std::string& section, const std::string& key,
                  const std::string& value) const;
    // The same for the writes whose failure the program has never reported (the exit keys,
    // dialog choices): the value is simply lost at the next start.
    void putIniQuietly(const std::string& section, const std::string& key,
                       const std::string& value) const {
        static_cast<void>(putIni(section, key, value));
    }

private:
    struct Parsed;
    std::shared_ptr<const Parsed> parsed() const;
    struct Put {
        std::string section, key, value;
    };
    Result write(const std::vector<Put>& puts) const;

    std::filesystem::path file_;
    mutable std::shared_ptr<const Parsed> parsed_;
    mutable int openBatches_ = 0;
    mutable std::vector<Put> held_; // the puts of the open batch, in order
};

} // namespace vantrel
