#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

// What every harness shares: a failed property aborts with a line saying which, so libFuzzer
// keeps the input; and a private folder for the files a harness writes.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace vantrel::fuzz {

// One folder per process, made on first use and left for the OS to clean (fuzz runs are short
// and the files in it are overwritten on every input).
std::filesystem::path scratchFolder();

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);

} // namespace vantrel::fuzz
