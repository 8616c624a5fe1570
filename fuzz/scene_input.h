#pragma once

namespace lumera::fuzzing {

// A scene input of the scene target: an ENVI header, this line, and the
// raw values of the image file.
inline constexpr const char* kSceneSeparator = "\n--- image ---\n";

}  // namespace lumera::fuzzing
