#pragma once

#include "base/signal.h"
#include "looks/looks_settings.h"
#include "platform/dialogs.h"
#include "settings/ini_store.h"

#include <cstdint>
#include <string>

namespace vantrel {

// What the windows that wear the looks do for the core: each call reaches every registered
// window (main window, folder browser, tag editor, in that order).
class LooksTarget {
public:
    virtual ~LooksTarget() = default;
    // Loads the picture for every window; false when the file holds no picture it can read,
    // and then every window keeps what it had.
    virtual bool loadPicture(const std::string& file) = 0;
    virtual void showPicture(bool shown) = 0;
    virtual void setTopmost(bool on) = 0;
    virtual void setEdge(std::uint32_t colour, bool hidden) = 0;
    virtual void setFrames(std::uint32_t colour) = 0;
};

// The windows' shared looks: applied at start, and edited by the General Settings dialog.
class Looks {
public:
    // The main window's text colour: the outlines' colour until one is chosen.
    static constexpr std::uint32_t kTextColour = 0xFFFFFF;

    Looks(const IniStore& ini, Dialogs& dialogs, std::string shareFolder, bool useRound)
        : ini_(ini), dialogs_(dialogs), shareFolder_(std::move(shareFolder)), useRound_(useRound) {}

    void load(const IniStore& ini) { settings_.load(ini); }
    const LooksSettings& settings() const { return settings_; }
    std::uint32_t edgeCol() const { return settings_.edgeColour.value_or(kTextColour); }
    std::uint32_t frameCol() const { return settings_.frameColour.value_or(kTextColour); }
    bool useRound() const { return useRound_; }
    std::string backFolder() const { return shareFolder_ + "Back/"; }

    // The load step's looks: colours, edge, picture (skipped silently when it does not load),
    // on top.
    void apply(LooksTarget& target) const;

    // The General Settings dialog's controls.
    struct Options {
        bool round = false, onTop = false, noEdge = false, noImage = false;
        std::string imageName;
        std::uint32_t edge = kTextColour, frame = kTextColour;
    };
    // Opening the dialog; useRound follows the stored value from here on.
    Options openOptions();
    void pickEdge(Options& options);
    void pickFrame(Options& options);
    void browse(Options& options);
    // OK, in the program's order. A picture name that loads nothing keeps the old picture.
    void ok(const Options& options, LooksTarget& target);

    // useRound changed (the main window's next layout switch takes the new shape).
    Signal<bool> useRoundChanged;

private:
    const IniStore& ini_;
    Dialogs& dialogs_;
    std::string shareFolder_;
    bool useRound_;
    LooksSettings settings_;
};

} // namespace vantrel
