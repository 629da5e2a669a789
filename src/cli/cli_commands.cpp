#include "cli/cli_commands.h"

#include "cli/engine_commands.h"
#include "cli/file_commands.h"
#include "engine/mp3_engine.h"
#include "metadata/id3v1_block.h"
#include "metadata/track_fields.h"
#include "tagedit/tag_edit.h"

#include <filesystem>
#include <functional>
#include <ostream>

namespace vantrel::cli {

namespace {

// Reports the files that cannot carry a tag.
bool readOrReport(const std::string& file, TagRead& tag, Streams io) {
    if (Result r = tagedit::readForEdit(file, tag); !r) {
        reportFailure(io, r.error());
        return false;
    }
    return true;
}

int eachFile(const Args& files, Streams io,
             const std::function<Result(const std::filesystem::path&)>& edit) {
    int status = kOk;
    for (const std::string& file : files) {
        if (Result r = edit(file); !r) {
            reportFailure(io, r.error());
            status = kFileFailed;
        }
    }
    return status;
}

} // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            out += '?';
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += '?'; // a C1 control, which terminals act on as well
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void reportFailure(Streams io, const std::string& message) {
    io.err << "vantrel-cli: " << terminalText(message) << '\n';
}

std::string rowField(const std::string& cell) {
    std::string out = cell;
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return terminalText(out);
}

int runInfo(const Args& args, Streams io) {
    if (args.empty()) {
        reportFailure(io, "no file given");
        return kUsage;
    }
    Mp3Engine prober; // one probing instance for all files, as the playlist has
    int status = kOk;
    for (const std::string& file : args) {
        TagRead tag;
        if (!readOrReport(file, tag, io)) {
            status = kFileFailed;
            continue;
        }
        std::error_code ec;
        std::string full = std::filesystem::absolute(file, ec).lexically_normal().string();
        auto cells = tagCells(ec ? file : full, tag);
        for (std::size_t i = 0; i < cells.size(); ++i)
            io.out << (i ? "\t" : "") << rowField(cells[i]);
        // Probed by the name as given: the absolute form of a deep relative path can be longer
        // than the system takes.
        for (const std::string& cell : streamFields(prober, file))
            io.out << '\t' << rowField(cell);
        io.out << '\n';
    }
    return status;
}

int runTag(const Args& args, Streams io) {
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "--from-name" || a.rfind("--from-name=", 0) == 0) return runTagFromName(args, io);
    }
    TagChanges changes;
    Args files;
    if (Result parsed = tagedit::parseFieldArgs(args, changes, files); !parsed) {
        reportFailure(io, parsed.error());
        return kUsage;
    }
    return eachFile(files, io, [&](const std::filesystem::path& file) {
        return tagedit::applyChanges(file, changes);
    });
}

int runDeltag(const Args& args, Streams io) {
    if (args.empty()) {
        reportFailure(io, "no file given");
        return kUsage;
    }
    return eachFile(args, io, tagedit::deleteTag);
}

} // namespace vantrel::cli
