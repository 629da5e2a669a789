#include "desktop/banner_options.h"

namespace vantrel {

BannerOptions::BannerOptions(Ticker& ticker, const IniStore& ini, Dialogs& dialogs)
    : ticker_(ticker), ini_(ini), dialogs_(dialogs), preview_(ticker.settings().banner) {
    TickerSettings stored;
    stored.loadShown(ini);
    fileName_ = stored.trayFileName;
    artist = stored.trayArtist;
    album = stored.trayAlbum;
    setSpeed(stored.traySpeed);
}

std::string BannerOptions::speedCaption(int value) {
    return "Speed = " + std::string(value < 0 ? "" : "+") + std::to_string(value);
}

void BannerOptions::pickFont() {
    const Dialogs::Font current{preview_.font, preview_.size, preview_.bold, preview_.italic,
                                preview_.underline};
    if (std::optional<Dialogs::Font> chosen = dialogs_.pickFont(current)) {
        preview_.font = chosen->name;
        preview_.size = chosen->size;
        preview_.bold = chosen->bold;
        preview_.italic = chosen->italic;
        preview_.underline = chosen->underline;
    }
}

void BannerOptions::pickTextColour() {
    if (std::optional<std::uint32_t> chosen = dialogs_.pickColour(preview_.fore))
        preview_.fore = *chosen;
}

void BannerOptions::pickBackColour() {
    if (std::optional<std::uint32_t> chosen = dialogs_.pickColour(preview_.back))
        preview_.back = *chosen;
}

void BannerOptions::ok() {
    TickerSettings& settings = ticker_.settings();
    settings.trayFileName = fileName_;
    if (!fileName_) {
        settings.trayArtist = artist;
        settings.trayAlbum = album;
    }
    settings.banner = preview_;
    ticker_.buildText();
    settings.save(ini_);
}

} // namespace vantrel
