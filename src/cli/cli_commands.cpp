#include "cli/cli_commands.h"

#include "base/ascii_text.h"

#include "cli/engine_commands.h"
#include "metadata/genre_table.h"
#include "metadata/id3v1_block.h"
#include "metadata/track_fields.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

namespace vantrel::cli {

namespace {

// Reads a file's tag, reporting the files that cannot carry one.
std::optional<TagRead> readTagOrReport(const std::string& file, Streams io) {
    TagRead tag;
    if (Result r = id3v1::readTag(file, tag); !r) {
        reportFailure(io, r.error());
        return std::nullopt;
    }
    if (tag.state == TagState::TooShort) {
        reportFailure(io, file + ": too short to be an MP3 file");
        return std::nullopt;
    }
    return tag;
}

// A genre given as a number 0..255 or by its name.
std::optional<std::uint8_t> parseGenre(const std::string& text) {
    int n = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec == std::errc() && end == text.data() + text.size())
        return (n >= 0 && n <= 255) ? std::optional<std::uint8_t>(n) : std::nullopt;
    for (int g = 0; g < genres::kCount; ++g)
        if (sameIgnoringCase(genres::name(g), text)) return static_cast<std::uint8_t>(g);
    return std::nullopt;
}

struct TagChanges {
    std::optional<std::string> title, artist, album, year, comment;
    std::optional<std::uint8_t> genre;

    void applyTo(TagValues& v) const {
        if (title) v.title = *title;
        if (artist) v.artist = *artist;
        if (album) v.album = *album;
        if (year) v.year = *year;
        if (comment) v.comment = *comment;
        if (genre) v.genre = *genre;
    }
};

// Splits "--name value", "--name=value" and files; false on a malformed command line.
bool parseTagArgs(const Args& args, TagChanges& changes, Args& files, Streams io) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.rfind("--", 0) != 0 || a == "-") {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = a.substr(2), value;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            reportFailure(io, "option --" + name + " needs a value");
            return false;
        }
        if (name == "title")
            changes.title = value;
        else if (name == "artist")
            changes.artist = value;
        else if (name == "album")
            changes.album = value;
        else if (name == "year")
            changes.year = value;
        else if (name == "comment")
            changes.comment = value;
        else if (name == "genre") {
            changes.genre = parseGenre(value);
            if (!changes.genre) {
                reportFailure(io, "unknown genre \"" + value + "\" (give 0..255 or a genre name)");
                return false;
            }
        } else {
            reportFailure(io, "unknown option --" + name);
            return false;
        }
    }
    if (files.empty()) reportFailure(io, "no file given");
    return !files.empty();
}

int writeBlocks(const Args& files, Streams io, const TagChanges* changes) {
    int status = kOk;
    for (const std::string& file : files) {
        auto tag = readTagOrReport(file, io);
        if (!tag) {
            status = kFileFailed;
            continue;
        }
        std::string block = id3v1::blank();
        if (changes) {
            // A file without a tag starts from empty texts and no genre.
            TagValues values = tag->values;
            if (tag->state != TagState::Tagged) values.genre = 255;
            changes->applyTo(values);
            block = id3v1::compose(values);
        }
        if (Result r = id3v1::PutIDTag(file, block); !r) {
            reportFailure(io, r.error());
            status = kFileFailed;
        }
    }
    return status;
}

} // namespace

void reportFailure(Streams io, const std::string& message) {
    io.err << "vantrel-cli: " << message << '\n';
}

std::string rowField(const std::string& cell) {
    std::string out = cell;
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

int runInfo(const Args& args, Streams io) {
    if (args.empty()) {
        reportFailure(io, "no file given");
        return kUsage;
    }
    int status = kOk;
    for (const std::string& file : args) {
        auto tag = readTagOrReport(file, io);
        if (!tag) {
            status = kFileFailed;
            continue;
        }
        std::error_code ec;
        std::string full = std::filesystem::absolute(file, ec).lexically_normal().string();
        auto cells = tagCells(ec ? file : full, *tag);
        for (std::size_t i = 0; i < cells.size(); ++i)
            io.out << (i ? "\t" : "") << rowField(cells[i]);
        for (const std::string& cell : streamFields(ec ? file : full))
            io.out << '\t' << rowField(cell);
        io.out << '\n';
    }
    return status;
}

int runTag(const Args& args, Streams io) {
    TagChanges changes;
    Args files;
    if (!parseTagArgs(args, changes, files, io)) return kUsage;
    return writeBlocks(files, io, &changes);
}

int runDeltag(const Args& args, Streams io) {
    if (args.empty()) {
        reportFailure(io, "no file given");
        return kUsage;
    }
    return writeBlocks(args, io, nullptr);
}

} // namespace vantrel::cli
