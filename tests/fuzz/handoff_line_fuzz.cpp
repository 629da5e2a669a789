// The hand-off line: any argument list composed into a line splits back into the same list,
// lines written one after another into a file come back as those lines, and no path read
// holds a NUL.
#include "fuzz_check.h"

#include "app/handoff_line.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::vector<std::vector<std::string>> starts(in.ConsumeIntegralInRange(1, 3));
    for (auto& arguments : starts) {
        arguments.resize(in.ConsumeIntegralInRange(0, 6));
        // A line break cannot travel inside a line; a start leaves such an argument out. A
        // command line never holds a NUL.
        for (auto& argument : arguments) {
            argument = in.ConsumeRandomLengthString(40);
            std::erase(argument, '\n');
            std::erase(argument, '\0');
        }
    }

    std::string file;
    std::vector<std::string> lines;
    for (const auto& arguments : starts) {
        const std::string line = composeArguments(arguments);
        FUZZ_CHECK(splitArguments(line) == arguments);
        lines.push_back(line);
        file += line + "\r\n";

        auto handed = handOffLine(arguments);
        FUZZ_CHECK(handed.has_value() == !arguments.empty());
        if (handed) {
            auto back = splitArguments(*handed);
            FUZZ_CHECK(back.size() <= arguments.size());
            FUZZ_CHECK(asksForNewPlayer(arguments) || back == arguments);
        }
        (void)lineArguments(line);
    }
    FUZZ_CHECK(splitLines(file) == lines);

    // Arbitrary file text never breaks the reader, and a path ends at its first NUL.
    for (const auto& line : splitLines(in.ConsumeRemainingBytesAsString()))
        for (const HandOffArgument& argument : lineArguments(line))
            FUZZ_CHECK(argument.path.find('\0') == std::string::npos);
    return 0;
}
