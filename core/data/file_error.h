#pragma once
#include <stdexcept>
#include <string>

namespace lumera {

// A file could not be read or written, or its contents are not what they must
// be. The message names the file and the problem, ready to show to the user.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lumera
