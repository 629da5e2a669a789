#include "desktop/ticker.h"

#include "base/ascii_text.h"
#include "metadata/track_fields.h"
#include "metadata/track_tag.h"

#include <filesystem>

namespace vantrel {

namespace {

// Counted in characters, not bytes, so a scroll step never splits a letter.
std::u32string decoded(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += cp;
        i += 1 + extra;
    }
    return out;
}

std::string encoded(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string fieldOrPlaceholder(const std::string& value) {
    std::string_view shown = trimmed(shownText(value));
    return shown.empty() ? std::string(Ticker::kNoField) : std::string(shown);
}

} // namespace

void Ticker::setTip(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
    TagRead tag;
    if (!readTrackTag(path, tag) || tag.state == TagState::TooShort) return;
    tipFields_[0] = std::filesystem::path(path).filename().string();
    const bool tagged = tag.state == TagState::Tagged;
    tipFields_[1] = tagged ? fieldOrPlaceholder(tag.values.title) : std::string(kNoField);
    tipFields_[2] = tagged ? fieldOrPlaceholder(tag.values.artist) : std::string(kNoField);
    tipFields_[3] = tagged ? fieldOrPlaceholder(tag.values.album) : std::string(kNoField);
    buildText();
}

void Ticker::buildText() {
    if (settings_.trayFileName) {
        tickerText_ = " * " + tipFields_[0];
    } else {
        tickerText_ = " * " + tipFields_[1];
        if (settings_.trayArtist && !tipFields_[2].empty()) tickerText_ += " * " + tipFields_[2];
        if (settings_.trayAlbum && !tipFields_[3].empty()) tickerText_ += " * " + tipFields_[3];
    }
    textChanged();
}

std::string Ticker::tick() {
    const std::u32string text = decoded(tickerText_);
    const int length = static_cast<int>(text.size());
    if (++scrollPos_ > length) scrollPos_ = 1;
    if (length == 0) return {};
    const auto from = static_cast<std::size_t>(scrollPos_ - 1);
    return encoded(text.substr(from)) + encoded(text.substr(0, from + 1));
}

std::string Ticker::tooltip(std::string_view status, std::string_view elapsed,
                            std::string_view total) {
    if (status.empty()) return "No Track Playing";
    return std::string(status) + "/Time: " + std::string(elapsed) + " of " + std::string(total);
}

} // namespace vantrel
