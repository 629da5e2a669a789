#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vantrel::test {

// Answers boxes from queues the test fills, and records every box shown. A box asked for with
// no scripted answer gets the harmless default (OK / No / cancelled).
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input, OpenFile, SaveFile, Colour, Font } kind;
        std::string text;  // message text, input prompt or file dialog title
        std::string title; // box title, or the file dialog's filter
        Icon icon = Icon::None;
        std::string initial = {}; // an input box's default text
    };

    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs; // also answers the file dialogs
    std::deque<std::optional<std::uint32_t>> colours;
    std::deque<std::optional<Font>> fonts;
    std::vector<Shown> shown;
    // Runs once, while the next message box is open, as events that a real box's own event
    // loop lets through would.
    std::function<void()> whileMessageShown;

    Answer message(const std::string& text, const std::string& title, Buttons buttons,
                   Icon icon) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& initial) override;
    std::optional<std::string> openFile(const FileRequest& request) override;
    std::optional<std::string> saveFile(const FileRequest& request) override;
    std::optional<std::uint32_t> pickColour(std::uint32_t initial) override;
    std::optional<Font> pickFont(const Font& initial) override;

    // The texts of the message boxes shown, in order.
    std::vector<std::string> messages() const;
};

} // namespace vantrel::test
