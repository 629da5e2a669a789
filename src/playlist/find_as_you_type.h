#pragma once

#include <optional>
#include <string>

namespace vantrel {

class Dialogs;
class PlaylistModel;

// The find field under the list (txtFind): while the user types, the first row whose cell in
// the sort column begins with the text becomes the selected and current track, and the field
// completes the text to the whole cell.
class FindAsYouType {
public:
    // The find field after a search step; positions count characters, not bytes.
    struct Field {
        std::string text;
        int selStart = 0;
        int selLength = 0;
        bool operator==(const Field&) const = default;
    };

    FindAsYouType(PlaylistModel& list, Dialogs& dialogs) : list_(list), dialogs_(dialogs) {}

    // txtFind_GotFocus: explains why a search cannot run yet, when it cannot.
    void gotFocus();
    // txtFind_KeyUp: one search step on the field's text; nothing when nothing matched.
    // After Backspace the text is left as the user edited it.
    std::optional<Field> keyUp(const std::string& text, bool backspace);

private:
    PlaylistModel& list_;
    Dialogs& dialogs_;
};

} // namespace vantrel
