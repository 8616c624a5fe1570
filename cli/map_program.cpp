#include "map_program.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lumera::cli {

std::string MapProgramPath()
{
    std::error_code ignored;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return (self.parent_path() / "lumera-cli-map").string();
}

int RunMapProgram(const std::vector<std::string>& arguments, std::string& messages)
{
    const std::string program = MapProgramPath();
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int errors[2];
    if (pipe2(errors, O_CLOEXEC) != 0) {
        std::cerr << "Program " << program << " nelze spustit (" << std::strerror(errno) << ").\n";
        return 1;
    }
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, errors[1], 2);
    pid_t child = 0;
    const int failed = posix_spawn(&child, program.c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    close(errors[1]);
    // Read to the end before waiting, so that a long message cannot stop the child.
    char buffer[4096];
    for (ssize_t n; (n = read(errors[0], buffer, sizeof buffer)) != 0;)
        if (n > 0) messages.append(buffer, std::size_t(n));
        else if (errno != EINTR) break;
    close(errors[0]);
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
