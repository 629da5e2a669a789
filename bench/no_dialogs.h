#pragma once

#include "platform/dialogs.h"

namespace vantrel {

// Every box answered at once with OK or nothing, so a benchmark times the work, not a user.
class NoDialogs : public Dialogs {
public:
    Answer message(const std::string&, const std::string&, Buttons, Icon) override {
        return Answer::Ok;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return {};
    }
    std::optional<std::string> openFile(const FileRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileRequest&) override { return {}; }
    std::optional<std::uint32_t> pickColour(std::uint32_t) override { return {}; }
    std::optional<Font> pickFont(const Font&) override { return {}; }
};

} // namespace vantrel
