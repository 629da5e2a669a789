#include "support/cli_runner.h"

#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace vantrel::test {

std::string shellQuoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliOutcome runProgram(const std::filesystem::path& folder, const std::string& program,
                      const std::vector<std::string>& args, int limitSeconds) {
    auto errFile = folder / "stderr.txt";
    std::string cmd = "cd " + shellQuoted(folder.string()) + " && timeout " +
                      std::to_string(limitSeconds) + " " + shellQuoted(program);
    for (const auto& a : args)
        cmd += " " + shellQuoted(a);
    cmd += " 2>" + shellQuoted(errFile.string()) + " </dev/null";
    CliOutcome r;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        r.out.append(buf.data(), n);
    int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = readFile(errFile);
    std::filesystem::remove(errFile);
    return r;
}

} // namespace vantrel::test
