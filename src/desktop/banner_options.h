#pragma once

#include "desktop/ticker.h"
#include "platform/dialogs.h"
#include "settings/ini_store.h"

#include <string>

namespace vantrel {

// The ticker options dialog's state and rules: what it shows when it opens, the speed label,
// the font and colour pickers on the preview, and OK's writes. Cancel is simply not calling ok().
class BannerOptions {
public:
    BannerOptions(Ticker& ticker, const IniStore& ini, Dialogs& dialogs);

    bool fileName() const { return fileName_; }
    void setFileName(bool on) { fileName_ = on; }
    // The artist and album boxes are used only when the title is shown.
    bool checksEnabled() const { return !fileName_; }
    bool artist = false, album = false;

    int speed() const { return ticker_.settings().traySpeed; }
    // The scroll bar: the ticker's speed follows at once, even if the dialog is cancelled.
    void setSpeed(int value) { ticker_.settings().traySpeed = value; }
    static std::string speedCaption(int value);

    // The preview's looks; each picker leaves them as they were when cancelled.
    const BannerLooks& preview() const { return preview_; }
    void pickFont();
    void pickTextColour();
    void pickBackColour();

    // OK: the ticker's flags and text at once, then the keys.
    void ok();

private:
    Ticker& ticker_;
    const IniStore& ini_;
    Dialogs& dialogs_;
    bool fileName_ = false;
    BannerLooks preview_;
};

} // namespace vantrel
