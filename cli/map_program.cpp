#include "map_program.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lumera::cli {

std::string MapProgramPath()
{
    std::error_code ignored;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return (self.parent_path() / "lumera-cli-map").string();
}

int RunMapProgram(const std::vector<std::string>& arguments)
{
    const std::string program = MapProgramPath();
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawn(&child, program.c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed) {
        std::cerr << "Program " << program << " chybí nebo nejde spustit (" << std::strerror(failed) << ").\n";
        return 1;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return 1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    std::cerr << "Program " << program << " skončil signálem " << WTERMSIG(status) << ".\n";
    return 1;
}

}  // namespace lumera::cli
