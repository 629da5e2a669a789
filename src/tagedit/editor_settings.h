#pragma once

#include "settings/ini_store.h"

#include <array>
#include <string>

namespace vantrel {

// The tag editor's keys: which genre list is shown, and the field texts and genre it
// remembers between runs. Values stay as read; the editor applies its rules to them.
struct EditorSettings {
    bool genreStandardOrder = false; // options/genre is "1"
    std::array<std::string, 5> tagFields;
    int rememberedGenre = 0;

    void load(const IniStore& ini);
    // The exit step: only the shown list; the fields are written by the editor as it closes.
    void save(const IniStore& ini) const;
    // wriTagIni: the five texts and the genre, in section music_tag.
    static void saveFields(const IniStore& ini, const std::array<std::string, 5>& fields,
                           int genre);
};

} // namespace vantrel
