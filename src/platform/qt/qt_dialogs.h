#pragma once

#include "platform/dialogs.h"

#include <QString>

class QWidget;

namespace vantrel {

// Boxes and pickers with Qt's standard dialogs, modal to a parent window.
class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString programTitle);
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const std::string& text, const std::string& title, Buttons buttons,
                   Icon icon) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& initial) override;
    std::optional<std::string> openFile(const FileRequest& request) override;
    std::optional<std::string> saveFile(const FileRequest& request) override;
    std::optional<std::uint32_t> pickColour(std::uint32_t initial) override;
    std::optional<Font> pickFont(const Font& initial) override;

private:
    QString titleOr(const std::string& title) const;
    QWidget* parent_;
    QString programTitle_;
};

} // namespace vantrel
