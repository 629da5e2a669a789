#include "cli/file_commands.h"

#include "metadata/id3v1_block.h"
#include "tagedit/file_renamer.h"
#include "tagedit/folder_walk.h"
#include "tagedit/tag_edit.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace vantrel::cli {

int runSearch(const Args& args, Streams io) {
    std::string pattern = "*.mp3";
    std::optional<std::string> folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pattern" && i + 1 < args.size()) {
            pattern = args[++i];
        } else if (args[i].rfind("--pattern=", 0) == 0) {
            pattern = args[i].substr(10);
        } else if (!folder && args[i].rfind("--", 0) != 0) {
            folder = args[i];
        } else {
            reportFailure(io, "unexpected argument \"" + args[i] + "\"");
            return kUsage;
        }
    }
    std::error_code error;
    if (!folder || !std::filesystem::is_directory(*folder, error)) {
        reportFailure(io, folder ? *folder + ": not a folder" : "no folder given");
        return folder ? kFileFailed : kUsage;
    }
    // Paths are written as they are, one a line, as find writes them.
    tagedit::walkFolder(*folder, pattern, [&io](const std::string& path) {
        io.out << path << '\n';
        return true;
    });
    return kOk;
}

namespace {

std::optional<tagedit::NameTemplate> templateNamed(const std::string& name) {
    if (name == "title") return tagedit::NameTemplate::Title;
    if (name == "title-artist") return tagedit::NameTemplate::TitleArtist;
    if (name == "title-artist-album") return tagedit::NameTemplate::TitleArtistAlbum;
    return std::nullopt;
}

Result renameFile(const std::string& file, tagedit::NameTemplate use, bool dryRun,
                  std::ostream& out) {
    TagRead tag;
    if (Result r = tagedit::readForEdit(file, tag); !r) return r;
    if (tag.state != TagState::Tagged) return Result::fail(file + ": no tag to name it from");
    const TagValues& v = tag.values;
    const std::string name = tagedit::proposeName(use, v.title, v.artist, v.album);
    const std::string target = std::filesystem::path(file).replace_filename(name).string();
    if (dryRun) {
        out << file << '\t' << target << '\n';
        return Result::ok();
    }
    return tagedit::renameNoReplace(file, target);
}

} // namespace

int runTagFromName(const Args& args, Streams io) {
    std::optional<tagedit::NameTemplate> use;
    Args files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && (a == "--from-name" || a.rfind("--from-name=", 0) == 0)) {
            use = a.size() > 11         ? templateNamed(a.substr(12))
                  : i + 1 < args.size() ? templateNamed(args[++i])
                                        : std::nullopt;
            if (!use) {
                reportFailure(io, "--from-name takes title, title-artist or title-artist-album");
                return kUsage;
            }
        } else if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.rfind("--", 0) == 0) {
            reportFailure(io, "--from-name takes no other option than the files: " + a);
            return kUsage;
        } else {
            files.push_back(a);
        }
    }
    if (!use || files.empty()) {
        reportFailure(io, !use ? "--from-name needs a template" : "no file given");
        return kUsage;
    }
    int status = kOk;
    for (const std::string& file : files) {
        const std::string name = std::filesystem::path(file).filename().string();
        std::optional<TagChanges> fields = tagedit::fieldsFromName(*use, name);
        Result r = fields ? tagedit::applyChanges(file, *fields)
                          : Result::fail(file + ": the name does not split into the template's "
                                                "parts at \" - \"");
        if (!r) {
            reportFailure(io, r.error());
            status = kFileFailed;
        }
    }
    return status;
}

int runRename(const Args& args, Streams io) {
    std::optional<tagedit::NameTemplate> use;
    bool dryRun = false;
    Args files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--use" && i + 1 < args.size()) {
            use = templateNamed(args[++i]);
            if (!use) {
                reportFailure(io, "--use takes title, title-artist or title-artist-album");
                return kUsage;
            }
        } else if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i].rfind("--", 0) == 0) {
            reportFailure(io, "unknown option " + args[i]);
            return kUsage;
        } else {
            files.push_back(args[i]);
        }
    }
    if (!use || files.empty()) {
        reportFailure(io, !use ? "--use is required" : "no file given");
        return kUsage;
    }
    int status = kOk;
    for (const std::string& file : files) {
        if (Result r = renameFile(file, *use, dryRun, io.out); !r) {
            reportFailure(io, r.error());
            status = kFileFailed;
        }
    }
    return status;
}

} // namespace vantrel::cli
