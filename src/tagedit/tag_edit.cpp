#include "tagedit/tag_edit.h"

#include "base/ascii_text.h"
#include "base/number_text.h"
#include "metadata/genre_table.h"

namespace vantrel {

namespace tagedit {

std::optional<std::uint8_t> parseGenre(std::string_view text) {
    if (std::optional<int> n = wholeNumber(text))
        return (*n >= 0 && *n <= 255) ? std::optional<std::uint8_t>(*n) : std::nullopt;
    for (int g = 0; g < genres::kCount; ++g)
        if (sameIgnoringCase(genres::name(g), text)) return static_cast<std::uint8_t>(g);
    return std::nullopt;
}

namespace {

Result setField(TagChanges& changes, const std::string& name, const std::string& value) {
    std::optional<std::string>* text = name == "title"     ? &changes.title
                                       : name == "artist"  ? &changes.artist
                                       : name == "album"   ? &changes.album
                                       : name == "year"    ? &changes.year
                                       : name == "comment" ? &changes.comment
                                                           : nullptr;
    if (text) {
        *text = value;
        return Result::ok();
    }
    if (name != "genre") return Result::fail("unknown option --" + name);
    changes.genre = parseGenre(value);
    if (!changes.genre)
        return Result::fail("unknown genre \"" + value + "\" (give 0..255 or a genre name)");
    return Result::ok();
}

} // namespace

Result parseFieldArgs(const std::vector<std::string>& args, TagChanges& changes,
                      std::vector<std::string>& files) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.rfind("--", 0) != 0) {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = a.substr(2), value;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Result::fail("option --" + name + " needs a value");
        }
        if (Result set = setField(changes, name, value); !set) return set;
    }
    // Without a field there is nothing to write, and writing anyway would append a block.
    if (changes.empty()) return Result::fail("no field to change given");
    if (files.empty()) return Result::fail("no file given");
    return Result::ok();
}

Result readForEdit(const std::filesystem::path& file, TagRead& tag) {
    if (Result r = readTrackTag(file, tag); !r) return r;
    if (tag.state == TagState::TooShort)
        return Result::fail(file.string() + ": too short to be an MP3 file");
    return Result::ok();
}

std::string composeEdited(const TagRead& tag, const TagChanges& changes) {
    TagValues values;
    if (tag.state == TagState::Tagged)
        values = tag.values;
    else
        values.genre = 255;
    changes.applyTo(values);
    return id3v1::compose(values);
}

Result applyChanges(const std::filesystem::path& file, const TagChanges& changes) {
    TagRead tag;
    if (Result r = readForEdit(file, tag); !r) return r;
    return writeTrackTag(file, composeEdited(tag, changes), changes);
}

Result deleteTag(const std::filesystem::path& file) {
    return deleteTrackTag(file);
}

} // namespace tagedit
} // namespace vantrel
