// vantrel-cli: the player's tag and playlist core from a shell, for scripts.
#include "base/version.h"
#include "cli/cli_commands.h"
#include "cli/engine_commands.h"
#include "cli/export_command.h"
#include "cli/file_commands.h"
#include "engine/mp3_engine.h"

#include <iostream>
#include <map>

namespace {

constexpr const char* kUsageText =
    "Usage: vantrel-cli COMMAND [OPTIONS] FILE...\n"
    "\n"
    "Commands:\n"
    "  info FILE...            one tab-separated row per file: file name, full path, title,\n"
    "                          artist, album, genre, year, comment, play time, sample rate,\n"
    "                          bit rate (the last three empty for a file that does not play)\n"
    "  tag [--title T] [--artist A] [--album B] [--year Y] [--comment C] [--genre N] FILE...\n"
    "                          change the given fields (at least one) and keep the others;\n"
    "                          the genre is a number 0..255 or a genre name; a file that\n"
    "                          has an ID3v2 tag gets the same fields there too\n"
    "  tag --from-name title|title-artist|title-artist-album FILE...\n"
    "                          set title, artist and album from each file's name, split at\n"
    "                          \" - \" (the rename templates in reverse)\n"
    "  deltag FILE...          blank the ID3v1 tag (five empty texts, genre 32) and take those\n"
    "                          fields out of an ID3v2 tag\n"
    "  decode FILE OUT.wav     decode into a wave file\n"
    "  play FILE [--tempo N] [--volume L R] [--device N]\n"
    "                          play to the sound server until the track ends; tempo 0..200\n"
    "                          (100 normal, larger slower), volume 0..100 per channel,\n"
    "                          device a position from the devices list\n"
    "  devices                 the output devices: position, format mask, name\n"
    "  search [--pattern GLOB] [--null] DIR\n"
    "                          the paths the folder search finds (default *.mp3, letter case\n"
    "                          ignored), depth first, one a line (control characters shown\n"
    "                          as ?); --null ends each path with a NUL byte instead, as\n"
    "                          find -print0 does\n"
    "  rename --use title|title-artist|title-artist-album [--dry-run [--null]] FILE...\n"
    "                          rename each file from its tag, never over an existing file,\n"
    "                          never to a hidden name; --dry-run prints the old and new full\n"
    "                          paths instead (tab between, one pair a line, or each path\n"
    "                          NUL-ended with --null) and refuses what the rename would\n"
    "                          refuse (two files taking one name included)\n"
    "  export --format m3u|csv|html [--title T] IN.m3u OUT\n"
    "                          write a playlist's tracks as a playlist, a CSV file or a web\n"
    "                          page, with the columns of vantrel.ini; missing tracks are\n"
    "                          reported and skipped; OUT is never the playlist or a track\n"
    "                          it reads, under any name\n"
    "\n"
    "  --help                  show this text\n"
    "  --version               show the version\n"
    "\n"
    "Exit status: 0 when every file was handled, 1 when any file failed, 2 for a wrong\n"
    "command line. A file that cannot be handled is left as it was.\n"
    "\n"
    "Installing: cmake --install BUILD --prefix PREFIX puts vantrel and vantrel-cli in\n"
    "PREFIX/bin, the help page and pictures in PREFIX/share/vantrel, and a launcher and icon\n"
    "for the desktop. An installed player keeps its settings in ~/.config/vantrel/.\n";

} // namespace

int main(int argc, char** argv) {
    vantrel::prepareSoundEnvironment();
    using namespace vantrel::cli;
    Args args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? std::cerr : std::cout) << kUsageText;
        return args.empty() ? kUsage : kOk;
    }
    if (args[0] == "--version") {
        std::cout << "vantrel-cli " << vantrel::kVersion << '\n';
        return kOk;
    }
    // One command per added line keeps the table easy to merge.
    // clang-format off
    static const std::map<std::string, int (*)(const Args&, Streams)> commands = {
        {"info", runInfo},     {"tag", runTag},   {"deltag", runDeltag},
        {"decode", runDecode}, {"play", runPlay}, {"devices", runDevices},
        {"export", runExport},
        {"search", runSearch},
        {"rename", runRename},
    };
    // clang-format on
    auto command = commands.find(args[0]);
    if (command == commands.end()) {
        std::cerr << "vantrel-cli: unknown command \"" << args[0] << "\"\n\n" << kUsageText;
        return kUsage;
    }
    return command->second(Args(args.begin() + 1, args.end()), Streams{std::cout, std::cerr});
}
