#pragma once

#include "base/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The hand-off file "quorv.tmp" in the program folder: every start with arguments appends one
// line, and the instance that starts fully takes all lines once.
//
// Starts and collectors of several processes meet here at any moment. An append holds an
// exclusive flock on the file while it writes and makes sure the file it holds is still the
// one named "quorv.tmp"; a take renames the file to a private name before it reads it, and
// reads under the same lock. So a line is either in the lines taken or in a "quorv.tmp" left
// for the next collector, never lost, and lines never interleave. A collector that ends before
// it has removed its private copy leaves it for the next collector.
//
// Only a regular file is written or read: a FIFO or a symbolic link named "quorv.tmp" is
// refused, so a start can neither hang on it nor write its arguments into another file.
class HandOffFile {
public:
    static constexpr const char* kFileName = "quorv.tmp";

    // The lines taken by one collector, and the private files that still hold them.
    struct Taken {
        std::vector<std::filesystem::path> privateFiles;
        std::vector<std::string> lines;
    };

    explicit HandOffFile(const std::filesystem::path& folder) : file_(folder / kFileName) {}

    const std::filesystem::path& path() const { return file_; }

    // Appends the line and CR LF, creating the file when it is missing.
    Result appendLine(const std::string& line) const;

    // Moves the file away and reads its lines, after those of private copies whose collector
    // process is gone; none when there is nothing to take. The caller removes the private
    // files when it has handled the lines.
    std::optional<Taken> take() const;

private:
    std::filesystem::path privateName() const;
    // Private copies of collectors that ended without removing them, oldest first.
    std::vector<std::filesystem::path> abandonedCopies() const;

    std::filesystem::path file_;
};

} // namespace vantrel
