#include "playlist/find_as_you_type.h"

#include "platform/dialogs.h"
#include "playlist/playlist_model.h"

namespace vantrel {

namespace {

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
    else if (list_.sorting().lstFindCount() == 0)
        dialogs_.message("No Column Selected to Search\r\nClick on a Column Header to Select the "
                         "Column to Search in",
                         "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
}

std::optional<FindAsYouType::Field> FindAsYouType::keyUp(const std::string& text, bool backspace) {
    const PlaylistSort& entries = list_.sorting();
    if (text.empty() || entries.lstFindCount() == 0 || list_.count() == 0) return std::nullopt;
    // The first match in list order is the answer by definition.
    const std::size_t i = entries.lstFindFirst(text);
    if (i == entries.lstFindCount()) return std::nullopt;
    const int row = list_.sorting().lstFindRow(i);
    if (row == 0) return std::nullopt; // the row left the list since the last refill
    if (const int old = list_.selectedItem(); old != 0) list_.setSelected(old, false);
    list_.showRow(row);
    list_.setSelected(row, true);
    list_.setFileIn(list_.row(row).key);
    Field field;
    field.text = backspace ? text : std::string(entries.lstFindText(i));
    field.selStart = characters(text);
    field.selLength = characters(field.text) - field.selStart;
    return field;
}

} // namespace vantrel
