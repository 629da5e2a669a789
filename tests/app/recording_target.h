#pragma once

#include "app/collect_target.h"

#include <set>
#include <string>
#include <vector>

namespace vantrel::test {

// A main window stand-in: files "exist" when the test says so, added files become rows, and
// every call is recorded as a short text.
class RecordingTarget : public CollectTarget {
public:
    std::set<std::string> existing;
    std::vector<std::string> rows;
    std::vector<std::string> calls;

    void openPList(const std::string& path) override { calls.push_back("openPList " + path); }
    void GetListTag(const std::string& path) override {
        calls.push_back("GetListTag " + path);
        rows.push_back(path);
    }
    std::size_t rowCount() const override { return rows.size(); }
    std::string rowKey(std::size_t row) const override { return rows.at(row - 1); }
    void selectRow(std::size_t row) override {
        calls.push_back("selectRow " + std::to_string(row));
    }
    void selectAllRows() override { calls.push_back("selectAllRows"); }
    void setFileIn(const std::string& path) override { calls.push_back("setFileIn " + path); }
    void pressPlay() override { calls.push_back("pressPlay"); }
    void editSelected() override { calls.push_back("editSelected"); }
    bool fileExists(const std::string& path) const override { return existing.count(path) > 0; }
};

} // namespace vantrel::test
