#pragma once

#include "base/result.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vantrel {

// The section most settings live in, shared so that sources compiled together agree on it.
inline constexpr const char* kOptionsSection = "options";

// The settings file: one value read or written per call, section and key names matched without
// regard to letter case. Every write replaces the file atomically under an exclusive lock, so
// several running instances never see or leave a half-written file; lines the store does not
// touch stay byte for byte as they were.
//
// The file is parsed once and parsed again only when it changed (another inode, size or time),
// so a large file costs one parse, not one per read; the store's own writes keep that copy
// current. Only a regular file counts: a FIFO reads as missing and is never written. A settings
// file that is a symbolic link is written through to its target, and the link stays.
// A store is used from one thread at a time.
class IniStore {
public:
    static constexpr std::size_t kMaxValueLength = 127;

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

    std::filesystem::path file_;
    mutable std::shared_ptr<const Parsed> parsed_;
};

} // namespace vantrel
