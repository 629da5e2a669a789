#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel {

// What the hand-off collector asks of the main window: the playlist operations it calls and
// the controls it presses. Rows are numbered from 1 in list order, as the list view does.
class CollectTarget {
public:
    virtual ~CollectTarget() = default;

    virtual void openPList(const std::string& path) = 0;
    virtual void GetListTag(const std::string& path) = 0;

    virtual std::size_t rowCount() const = 0;
    virtual std::string rowKey(std::size_t row) const = 0;
    virtual void selectRow(std::size_t row) = 0;
    virtual void selectAllRows() = 0;
    virtual void setFileIn(const std::string& path) = 0;
    virtual void pressPlay() = 0;
    virtual void editSelected() = 0;

    // Called after each argument, so a window can let pending paint events run while
    // thousands of files are added.
    virtual void afterArgument() {}
    // The files GetListTag is about to be given, in that order (an empty list after the
    // last), so they can be read ahead.
    virtual void readAhead(std::vector<std::string> /*paths*/) {}

    // An existing file that is not a folder, as the add operation accepts.
    virtual bool fileExists(const std::string& path) const {
        std::error_code error;
        const auto status = std::filesystem::status(path, error); // one stat for both questions
        return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
    }
};

} // namespace vantrel
