#pragma once
#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "temp_dir.h"

namespace lumera::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs lumera-cli with the given arguments (already quoted for the shell),
// capturing standard output and standard error separately. A run still going
// after `secondsAllowed` (when given) is ended and reported as exit code 124.
inline CliResult RunCli(const std::string& arguments, int secondsAllowed = 0)
{
    TempDir capture;
    const std::string out = capture.File("out"), err = capture.File("err");
    const std::string limit = secondsAllowed > 0 ? "timeout -k 5 " + std::to_string(secondsAllowed) + " " : "";
    const std::string command = limit + "'" + LUMERA_CLI_PATH + "' " + arguments + " >'" + out + "' 2>'" + err + "' </dev/null";
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAll(out);
    result.err = ReadAll(err);
    return result;
}

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

// `arguments` with each @ standing for the folder `dir` and a slash: "-o @out" writes into dir/out.
inline std::string Expand(const TempDir& dir, const std::string& arguments)
{
    std::string expanded;
    for (char c : arguments) expanded += c == '@' ? dir.Path().string() + "/" : std::string(1, c);
    return expanded;
}

}  // namespace lumera::testing
