#pragma once

#include "base/signal.h"
#include "desktop/ticker_settings.h"

#include <array>
#include <string>
#include <string_view>

namespace vantrel {

// The ticker's text: built from the current track's tag, scrolled one character a tick with
// the start joined on behind the end, and its tooltip. The window only prints what it gets.
class Ticker {
public:
    // The placeholder of a missing or empty field.
    static constexpr std::string_view kNoField = "< < < <";

    void load(const IniStore& ini) { settings_.load(ini); }
    const TickerSettings& settings() const { return settings_; }
    TickerSettings& settings() { return settings_; }

    // setTip: the fields and the text for this file. A missing, unreadable or too short file
    // leaves the previous text in place.
    void setTip(const std::string& path);
    // tickerText from the fields and the display flags (setTip and the options' OK).
    void buildText();

    // 0 file name, 1 title, 2 artist, 3 album.
    const std::array<std::string, 4>& tipFields() const { return tipFields_; }
    const std::string& tickerText() const { return tickerText_; }

    // tmrTicker's interval for the speed.
    static int intervalMs(int traySpeed) { return 500 - 40 * traySpeed; }
    // One scroll step: advances the position (1..length, then round again) and returns the
    // line to print: the text from the position on, then its first `position` characters.
    std::string tick();
    int scrollPos() const { return scrollPos_; }

    // The strip's tooltip for the transport's status word and times.
    static std::string tooltip(std::string_view status, std::string_view elapsed,
                               std::string_view total);

    Signal<> textChanged;

private:
    TickerSettings settings_;
    std::array<std::string, 4> tipFields_{"FileName", "Title", "Artist", "Album"};
    std::string tickerText_ = " * Quorvane Vantrel";
    int scrollPos_ = 0;
};

} // namespace vantrel
