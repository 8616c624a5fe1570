#pragma once
#include <stdexcept>

namespace lumera {

// An import or tiling stopped at one of its own checks (a window outside the
// scene, no wavelengths, bands not covered); the message says why.
class SceneRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lumera
