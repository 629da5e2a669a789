#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// Message, question and input boxes and the common pickers. The core asks for every box it
// shows through this port, with the exact texts; the windows supply a Qt implementation and
// the tests a scripted one.
class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Font {
        std::string name;
        int size = 0;
        bool bold = false, italic = false, underline = false;
        bool operator==(const Font&) const = default;
    };

    // A file dialog's filter in the program's "description|*.ext|…" form.
    struct FileRequest {
        std::string title;
        std::string filter;
        int filterIndex = 1; // 1-based, as in the filter string
        std::string folder;
        std::string fileName;
        std::string defaultExtension;
    };

    virtual ~Dialogs() = default;

    // An empty title means the program's title.
    virtual Answer message(const std::string& text, const std::string& title, Buttons buttons,
                           Icon icon) = 0;
    // The text entered, or nothing when cancelled.
    virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                             const std::string& initial) = 0;
    virtual std::optional<std::string> openFile(const FileRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileRequest& request) = 0;
    // Colours are 0x00BBGGRR, red in the low byte.
    virtual std::optional<std::uint32_t> pickColour(std::uint32_t initial) = 0;
    virtual std::optional<Font> pickFont(const Font& initial) = 0;
};

} // namespace vantrel
