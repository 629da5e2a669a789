#include "cli/export_command.h"

#include "engine/mp3_engine.h"
#include "platform/dialogs.h"
#include "platform/program_folders.h"
#include "playlist/export_target.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_opener.h"
#include "playlist/playlist_writers.h"
#include "playlist/recent_lists.h"
#include "settings/ini_store.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace vantrel::cli {

namespace {

// A script asks nobody: every box is answered No or cancelled, and its text goes to stderr.
class ScriptDialogs : public Dialogs {
public:
    explicit ScriptDialogs(Streams io) : io_(io) {}
    Answer message(const std::string& text, const std::string&, Buttons, Icon) override {
        reportFailure(io_, text);
        return Answer::No;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::uint32_t> pickColour(std::uint32_t) override { return std::nullopt; }
    std::optional<Font> pickFont(const Font&) override { return std::nullopt; }

private:
    Streams io_;
};

struct ExportArgs {
    std::string format, title = "MP3 File List", in, out;
};

std::optional<ExportArgs> parse(const Args& args, Streams io) {
    ExportArgs parsed;
    Args files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--format" || args[i] == "--title") && i + 1 < args.size()) {
            (args[i] == "--format" ? parsed.format : parsed.title) = args[i + 1];
            ++i;
        } else if (args[i].starts_with("--")) {
            reportFailure(io, "unknown or incomplete option \"" + args[i] + "\"");
            return std::nullopt;
        } else {
            files.push_back(args[i]);
        }
    }
    if (parsed.format != "m3u" && parsed.format != "csv" && parsed.format != "html") {
        reportFailure(io, "--format must be m3u, csv or html");
        return std::nullopt;
    }
    if (files.size() != 2) {
        reportFailure(io, "give the playlist to read and the file to write");
        return std::nullopt;
    }
    // An empty title is what an empty answer in the window gives.
    if (parsed.title.empty()) parsed.title = "MP3 File List";
    std::error_code error;
    parsed.in = std::filesystem::absolute(files[0], error).lexically_normal().string();
    parsed.out = std::filesystem::absolute(files[1], error).lexically_normal().string();
    return parsed;
}

} // namespace

int runExport(const Args& args, Streams io) {
    const std::optional<ExportArgs> parsed = parse(args, io);
    if (!parsed) return kUsage;
    std::error_code error;
    if (!std::filesystem::is_regular_file(parsed->in, error)) {
        reportFailure(io, parsed->in + ": no such playlist");
        return kFileFailed;
    }
    // The player's own settings, found as the player finds them (installed or not).
    const IniStore ini(programFolders().settings + "vantrel.ini");
    ScriptDialogs dialogs(io);
    Mp3Engine prober;
    PlaylistModel list;
    PlaylistCommands commands(list, prober, dialogs, ini);
    commands.toglHeaders();
    // A script's playlists are not the user's recent ones: this copy is never loaded or shown.
    RecentLists unused(ini);
    PlaylistOpener opener(dialogs, unused,
                          [&commands](const std::string& path) { commands.GetListTag(path); });
    int status = kOk;
    opener.setMissingReport([&](const std::string& path) {
        reportFailure(io, path + ": no such file, skipped");
        status = kFileFailed;
    });
    opener.openPList(parsed->in);
    const std::vector<int> order = creationOrder(list);
    const std::string bytes = parsed->format == "m3u"   ? writeM3u(list, parsed->out)
                              : parsed->format == "csv" ? writeCsv(list, order)
                                                        : writeHtml(list, order, parsed->out,
                                                                    parsed->title, todaysDate());
    Result written = checkExportTarget(parsed->out, list, parsed->in);
    if (written) written = writeFileReplacing(parsed->out, bytes);
    if (!written) {
        reportFailure(io, parsed->out + ": " + written.error());
        return kFileFailed;
    }
    return status;
}

} // namespace vantrel::cli
