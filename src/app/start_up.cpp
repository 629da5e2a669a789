#include "app/start_up.h"

#include "app/handoff_file.h"
#include "app/handoff_line.h"
#include "looks/looks_settings.h"
#include "platform/dialogs.h"
#include "playlist/list_settings.h"
#include "settings/ini_store.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr const char* kHelpText =
    "Usage: vantrel [FILE | PLAYLIST.m3u | SWITCH PATH...]...\n"
    "\n"
    "Plays MP3 files and edits their ID3v1 tags. The arguments reach the playlist about a\n"
    "second after the window has opened. While a player runs, a new start ends at once and\n"
    "its arguments wait for the next player that starts.\n"
    "\n"
    "  FILE              add the file to the playlist\n"
    "  PLAYLIST.m3u      append the playlist's tracks (.m3u8 and .m4u too)\n"
    "  /Que PLAYLIST     append the playlist's tracks\n"
    "  /Open FILE        add the file\n"
    "  /Play FILE        add the file, then play the first row of the list\n"
    "  /Tag FILE         add the file, then open the tag editor on every row\n"
    "  /new ARGUMENTS    start a new player even while one runs; it takes only the\n"
    "                    arguments behind /new\n"
    "  --help            show this text and end\n"
    "  --version         show the version and end\n"
    "\n"
    "A switch takes every path behind it and counts only in the letter case shown (/new in\n"
    "any case). When several arguments ask to play or to tag, the last one decides.\n"
    "Settings are kept in vantrel.ini beside the program.\n";

// A window flag is on for the number 1; 0 and any other number leave it off.
bool readWindowFlag(const IniStore& ini, const SettingKey& key) {
    return key.number(ini) == 1;
}

bool isHelpOrVersion(const std::string& argument) {
    return argument == "--help" || argument == "--version";
}

// The running player may have started elsewhere: a path relative to this start's folder would
// name another file there, so relative paths travel as absolute ones. Every argument but the
// switch words and the two words of our own is a path, even one that begins with "-".
std::vector<std::string> withAbsolutePaths(std::vector<std::string> arguments) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (error) return arguments;
    for (std::string& argument : arguments)
        if (!argument.empty() && argument.front() != '/' && !isHelpOrVersion(argument))
            argument = (here / argument).lexically_normal().string();
    return arguments;
}

const std::string kLineBreakProblem = "a name holding a line break cannot be passed on";

bool holdsLineBreak(const std::string& argument) {
    return argument.find_first_of("\r\n") != std::string::npos;
}

} // namespace

StartUp::StartUp(std::string appFolder, std::string version)
    : appFolder_(std::move(appFolder)), version_(std::move(version)) {}

std::string StartUp::helpText() {
    return kHelpText;
}

std::string StartUp::versionText() const {
    return "vantrel " + version_ + "\n";
}

StartUpPlan StartUp::Main(const std::vector<std::string>& arguments,
                          const std::function<bool()>& anotherInstanceRuns) const {
    StartUpPlan plan;
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "--version")) {
        plan.step = StartUpPlan::Step::printAndEnd;
        plan.text = arguments[0] == "--help" ? helpText() : versionText();
        return plan;
    }
    // Even the first instance's own arguments go through the file: the window never reads
    // the command line itself. A name holding a line break would split into other lines.
    std::vector<std::string> handed = withAbsolutePaths(arguments);
    std::copy_if(handed.begin(), handed.end(), std::back_inserter(plan.leftOut), holdsLineBreak);
    std::erase_if(handed, holdsLineBreak);
    if (const auto line = handOffLine(handed)) {
        plan.handOff = HandOffFile(appFolder_).appendLine(*line);
        plan.handedSome = plan.handOff && !line->empty();
    }
    if (!asksForNewPlayer(arguments) && anotherInstanceRuns()) {
        plan.step = StartUpPlan::Step::endNow;
        return plan;
    }
    readWindowFlags(plan);
    return plan;
}

std::string handOffProblem(const StartUpPlan& plan) {
    if (plan.handOff && plan.leftOut.empty()) return {};
    std::string names;
    for (const std::string& name : plan.leftOut)
        names += "\n\"" + name + "\"";
    if (!plan.handOff || !plan.handedSome)
        return "The files this start was given could not be passed to the player.\n" +
               (plan.handOff ? kLineBreakProblem + names : plan.handOff.error());
    return "The player was given this start's files except these (" + kLineBreakProblem +
           "):" + names;
}

void reportHandOff(const StartUpPlan& plan, Dialogs& dialogs) {
    const std::string problem = handOffProblem(plan);
    if (!problem.empty())
        dialogs.message(problem, "", Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}

void StartUp::readWindowFlags(StartUpPlan& plan) const {
    const IniStore ini(appFolder_ + "vantrel.ini");
    plan.useRound = readWindowFlag(ini, LooksSettings::kRound);
    plan.useGrid = readWindowFlag(ini, ListSettings::kGrid);
}

} // namespace vantrel
