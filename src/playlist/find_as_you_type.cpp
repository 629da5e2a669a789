#include "playlist/find_as_you_type.h"

#include "platform/dialogs.h"
#include "playlist/playlist_model.h"

namespace vantrel {

namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool beginsWith(const std::string& cell, const std::string& text) {
    if (cell.size() < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (folded(cell[i]) != folded(text[i])) return false;
    return true;
}

// Characters of UTF-8 text, as the field counts its positions.
int characters(const std::string& text) {
    int n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

void FindAsYouType::gotFocus() {
    if (list_.count() == 0)
        dialogs_.message("Open Files to add to Playlist BEFORE Search\r\nThen Click on a Column "
                         "Header to Select the Column to Search in",
                         "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    else if (list_.sorting().lstFind().empty())
        dialogs_.message("No Column Selected to Search\r\nClick on a Column Header to Select the "
                         "Column to Search in",
                         "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
}

std::optional<FindAsYouType::Field> FindAsYouType::keyUp(const std::string& text, bool backspace) {
    const auto& entries = list_.sorting().lstFind();
    if (text.empty() || entries.empty() || list_.count() == 0) return std::nullopt;
    // A plain scan: 100,000 short cells take well under a millisecond, and the first match in
    // list order is the answer by definition.
    std::size_t i = 0;
    while (i < entries.size() && !beginsWith(entries[i], text))
        ++i;
    if (i == entries.size()) return std::nullopt;
    const int row = list_.sorting().lstFindRow(i);
    if (row == 0) return std::nullopt; // the row left the list since the last refill
    if (const int old = list_.selectedItem(); old != 0) list_.setSelected(old, false);
    list_.showRow(row);
    list_.setSelected(row, true);
    list_.setFileIn(list_.row(row).key);
    Field field;
    field.text = backspace ? text : entries[i];
    field.selStart = characters(text);
    field.selLength = characters(field.text) - field.selStart;
    return field;
}

} // namespace vantrel
