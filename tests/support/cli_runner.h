#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::test {

struct CliOutcome {
    int status = -1; // 124 when the program had to be stopped (it hung)
    std::string out, err;
};

std::string shellQuoted(const std::string& arg);

// Runs a program with its arguments in `folder`, stopped after `limitSeconds`; standard error
// goes through a file in `folder`.
CliOutcome runProgram(const std::filesystem::path& folder, const std::string& program,
                      const std::vector<std::string>& args, int limitSeconds = 60);

} // namespace vantrel::test
