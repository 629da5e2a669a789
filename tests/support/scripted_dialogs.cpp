#include "support/scripted_dialogs.h"

#include <utility>

namespace vantrel::test {

namespace {

template <typename T> T take(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

Dialogs::Answer ScriptedDialogs::message(const std::string& text, const std::string& title,
                                         Buttons buttons, Icon icon) {
    shown.push_back({Shown::Kind::Message, text, title, icon});
    if (auto during = std::exchange(whileMessageShown, nullptr)) during();
    Answer fallback = (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::No
                      : buttons == Buttons::OkCancel ? Answer::Cancel
                                                     : Answer::Ok;
    return take(answers, fallback);
}

std::optional<std::string> ScriptedDialogs::input(const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& initial) {
    shown.push_back({Shown::Kind::Input, prompt, title, Icon::None, initial});
    return take(inputs, std::optional<std::string>());
}

std::optional<std::string> ScriptedDialogs::openFile(const FileRequest& request) {
    shown.push_back({Shown::Kind::OpenFile, request.title, request.filter});
    return take(inputs, std::optional<std::string>());
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileRequest& request) {
    shown.push_back({Shown::Kind::SaveFile, request.title, request.filter});
    return take(inputs, std::optional<std::string>());
}

std::optional<std::uint32_t> ScriptedDialogs::pickColour(std::uint32_t) {
    shown.push_back({Shown::Kind::Colour, "", ""});
    return take(colours, std::optional<std::uint32_t>());
}

std::optional<Dialogs::Font> ScriptedDialogs::pickFont(const Font&) {
    shown.push_back({Shown::Kind::Font, "", ""});
    return take(fonts, std::optional<Font>());
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> texts;
    for (const auto& s : shown)
        if (s.kind == Shown::Kind::Message) texts.push_back(s.text);
    return texts;
}

} // namespace vantrel::test
