#pragma once

#include "base/result.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;

// What the program does after the first, window-free steps of a start.
struct StartUpPlan {
    enum class Step {
        printAndEnd, // --help or --version: print `text` to standard output and end
        endNow,      // another instance runs: the arguments wait in the hand-off file
        startFully,  // load and show the main window, then arm the collector
    };
    Step step = Step::startFully;
    std::string text;
    bool useRound = false;
    bool useGrid = false;
    // Whether the hand-off line was written; the program goes on either way, and tells.
    Result handOff = Result::ok();
    // Arguments that cannot travel in a line (they hold a line break), left out of it.
    std::vector<std::string> leftOut;
    bool handedSome = false; // the line carries other arguments
};

// What a start tells the user when it could not pass all its arguments on, naming those left
// out when the others were passed; empty when it passed them all.
// A start that ends prints it to standard error; a start that opens the window shows it.
std::string handOffProblem(const StartUpPlan& plan);
// Shows handOffProblem in a message box once the main window has loaded, when there is one.
void reportHandOff(const StartUpPlan& plan, Dialogs& dialogs);

// The start-up routine Main up to the point where windows are built: passes the arguments on
// through the hand-off file, ends when another instance runs (unless asked for a new player)
// and reads the two settings that windows need before they are built.
class StartUp {
public:
    // `appFolder` ends in "/"; `version` is the program's version text.
    StartUp(std::string appFolder, std::string version);

    // `arguments` are those behind the program's name. `anotherInstanceRuns` is asked only
    // when it matters, after the line is written; when it answers false this start is the
    // player, so it must test and take the instance lock in one step (InstanceLock::claim).
    StartUpPlan Main(const std::vector<std::string>& arguments,
                     const std::function<bool()>& anotherInstanceRuns) const;

    static std::string helpText();
    std::string versionText() const;

private:
    void readWindowFlags(StartUpPlan& plan) const;

    std::string appFolder_;
    std::string version_;
};

} // namespace vantrel
