#include "metadata/track_fields.h"

#include "metadata/genre_table.h"

#include <filesystem>

namespace vantrel {

std::string_view shownText(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::array<std::string, kTagFieldCount> tagCells(const std::string& path, const TagRead& tag) {
    std::array<std::string, kTagFieldCount> cells;
    cells[int(TrackField::FileName)] = std::filesystem::path(path).filename().string();
    cells[int(TrackField::FullPath)] = path;
    if (tag.state != TagState::Tagged) return cells;
    const TagValues& v = tag.values;
    cells[int(TrackField::Title)] = shownText(v.title);
    cells[int(TrackField::Artist)] = shownText(v.artist);
    cells[int(TrackField::Album)] = shownText(v.album);
    cells[int(TrackField::GenreName)] = genres::name(v.genre);
    cells[int(TrackField::Year)] = shownText(v.year);
    cells[int(TrackField::Comment)] = shownText(v.comment);
    return cells;
}

} // namespace vantrel
