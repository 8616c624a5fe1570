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
// capturing standard output and standard error separately.
inline CliResult RunCli(const std::string& arguments)
{
    TempDir capture;
    const std::string out = capture.File("out"), err = capture.File("err");
    const std::string command = std::string("'") + LUMERA_CLI_PATH + "' " + arguments + " >'" + out + "' 2>'" + err + "' </dev/null";
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAll(out);
    result.err = ReadAll(err);
    return result;
}

inline std::string Quote(const std::string& s) { return "'" + s + "'"; }

}  // namespace lumera::testing
