#include "cli/file_commands.h"

#include "metadata/id3v1_block.h"
#include "tagedit/file_renamer.h"
#include "tagedit/folder_walk.h"
#include "tagedit/tag_edit.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <set>

namespace vantrel::cli {

namespace {

// A path as a script reads it: NUL-ended as find -print0 writes it, or one a line with what
// would break the line escaped as info escapes its fields.
void writePath(std::ostream& out, const std::string& path, bool null, char end = '\n') {
    if (null)
        out << path << '\0';
    else
        out << rowField(path) << end;
}

} // namespace

int runSearch(const Args& args, Streams io) {
    std::string pattern = "*.mp3";
    std::optional<std::string> folder;
    bool null = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--null") {
            null = true;
        } else if (args[i] == "--pattern" && i + 1 < args.size()) {
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
    tagedit::walkFolder(*folder, pattern, [&](const std::string& path) {
        writePath(io.out, path, null);
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

struct RenameRun {
    tagedit::NameTemplate use;
    bool dryRun = false;
    bool null = false;
    // What a dry run has handed out, and the old names it has let go: the real run would find
    // the first taken and the second free.
    std::set<std::string> taken, freed;
};

Result renameFile(const std::string& given, RenameRun& run, std::ostream& out) {
    TagRead tag;
    if (Result r = tagedit::readForEdit(given, tag); !r) return r;
    if (tag.state != TagState::Tagged) return Result::fail(given + ": no tag to name it from");
    const TagValues& v = tag.values;
    const std::string name = tagedit::proposeName(run.use, v.title, v.artist, v.album);
    std::error_code error;
    const std::string file = std::filesystem::absolute(given, error).lexically_normal().string();
    const std::string target = std::filesystem::path(file).replace_filename(name).string();
    if (!run.dryRun) return tagedit::renameNoReplace(file, target);
    Result check = tagedit::renameCheck(file, target);
    if (!check && run.freed.contains(target) && tagedit::nameProblem(name).empty())
        check = Result::ok();
    if (check && target != file && !run.taken.insert(target).second)
        check = Result::fail("Could not rename " + file + " to " + target +
                             ": an earlier file of this run takes that name");
    if (!check) return check;
    if (target != file) run.freed.insert(file);
    writePath(out, file, run.null, '\t');
    writePath(out, target, run.null);
    return Result::ok();
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
    bool dryRun = false, null = false;
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
        } else if (args[i] == "--null") {
            null = true;
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
    if (null && !dryRun) {
        reportFailure(io, "--null goes with --dry-run");
        return kUsage;
    }
    RenameRun run{*use, dryRun, null, {}, {}};
    int status = kOk;
    for (const std::string& file : files) {
        if (Result r = renameFile(file, run, io.out); !r) {
            reportFailure(io, r.error());
            status = kFileFailed;
        }
    }
    return status;
}

} // namespace vantrel::cli
