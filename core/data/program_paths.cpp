#include "data/program_paths.h"

namespace lumera {

std::string ProgramPath(const std::string& programDir, const std::string& relative)
{
    std::string tail = relative;
    for (char& c : tail)
        if (c == '\\') c = '/';
    std::string dir = programDir;
    while (!dir.empty() && dir.back() == '/' && dir.size() > 1) dir.pop_back();
    if (!tail.empty() && tail.front() != '/') tail.insert(tail.begin(), '/');
    if (dir == "/") return tail;
    return dir + tail;
}

}  // namespace lumera
