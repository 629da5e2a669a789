#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace vantrel {

class IniStore;

// The sections of the settings file. Every key names its section through one of these.
inline constexpr const char* kOptionsSection = "options";
inline constexpr const char* kLooksSection = "looks";
inline constexpr const char* kMusicTagSection = "music_tag";
inline constexpr const char* kMruSection = "mru_list";
inline constexpr const char* kDefaultSection = "default"; // only ever read

// One key of the settings file, declared once by the feature that owns it; any other reader or
// writer goes through the owner's declaration. For a number key, `fallback` is what a missing or
// empty key reads as and [low, high] the range a stored number is held to.
struct SettingKey {
    const char* section;
    const char* name;
    int fallback = 0;
    int low = std::numeric_limits<std::int16_t>::min();
    int high = std::numeric_limits<std::int16_t>::max();

    std::string text(const IniStore& ini) const;
    // Writes whose failure the program never reports (exit keys, dialog choices).
    void put(const IniStore& ini, const std::string& value) const;

    bool flag(const IniStore& ini) const;
    void putFlag(const IniStore& ini, bool on) const;
    // The 16-bit number, or the fallback for a missing or empty key, held to the range.
    int number(const IniStore& ini) const;
    void putNumber(const IniStore& ini, std::int64_t value) const;
};

// A run of keys told apart by a number behind a common name ("itm_1", "itm_2", ...).
struct NumberedKey {
    const char* section;
    const char* prefix;

    std::string name(int number) const { return prefix + std::to_string(number); }
    std::string text(const IniStore& ini, int number) const;
    void put(const IniStore& ini, int number, const std::string& value) const;
};

} // namespace vantrel
