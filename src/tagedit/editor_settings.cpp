#include "tagedit/editor_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

namespace {

constexpr const char* kOptions = "options";
constexpr const char* kMusicTag = "music_tag";
constexpr const char* kGenreOrder = "genre";
constexpr const char* kGenre = "genre";

std::string fieldKey(int k) {
    return "tag_" + std::to_string(k + 1);
}

} // namespace

void EditorSettings::load(const IniStore& ini) {
    genreStandardOrder = readFlag(ini.getIni(kOptions, kGenreOrder));
    for (int k = 0; k < 5; ++k)
        tagFields[k] = ini.getIni(kMusicTag, fieldKey(k));
    rememberedGenre = readNumber16(ini.getIni(kMusicTag, kGenre));
}

void EditorSettings::save(const IniStore& ini) const {
    ini.putIniQuietly(kOptions, kGenreOrder, writeFlag(genreStandardOrder));
}

void EditorSettings::saveFields(const IniStore& ini, const std::array<std::string, 5>& fields,
                                int genre) {
    // A failed write is not reported: the texts are only offered again at the next start.
    for (int k = 0; k < 5; ++k)
        ini.putIniQuietly(kMusicTag, fieldKey(k), fields[k]);
    ini.putIniQuietly(kMusicTag, kGenre, " " + writeNumber(genre));
}

} // namespace vantrel
