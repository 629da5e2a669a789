#include "tagedit/editor_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

namespace {

// Which genre list the editor shows, and what it remembers between runs: two keys of the same
// name in two sections.
constexpr SettingKey kGenreOrder{kOptionsSection, "genre"};
constexpr NumberedKey kFieldKeys{kMusicTagSection, "tag_"};
constexpr SettingKey kGenre{kMusicTagSection, "genre"};

} // namespace

void EditorSettings::load(const IniStore& ini) {
    genreStandardOrder = kGenreOrder.flag(ini);
    for (int k = 0; k < 5; ++k)
        tagFields[k] = kFieldKeys.text(ini, k + 1);
    rememberedGenre = kGenre.number(ini);
}

void EditorSettings::save(const IniStore& ini) const {
    kGenreOrder.putFlag(ini, genreStandardOrder);
}

void EditorSettings::saveFields(const IniStore& ini, const std::array<std::string, 5>& fields,
                                int genre) {
    // A failed write is not reported: the texts are only offered again at the next start.
    for (int k = 0; k < 5; ++k)
        kFieldKeys.put(ini, k + 1, fields[k]);
    kGenre.put(ini, " " + writeNumber(genre));
}

} // namespace vantrel
