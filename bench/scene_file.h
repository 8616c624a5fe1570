#pragma once
// A whole scene for the benchmarks of the scene commands: 5 x 5 synthetic
// stands of 400 x 400 pixels side by side, 2000 x 2000 pixels of 426 int16
// bands from 380 to 2510 nm in BIL, as an ENVI file of 3.4 GB.
#include <string>

#include "stand/synthetic_stand.h"

namespace lumera::bench {

constexpr int kStandsPerSide = 5, kStandSide = 400, kSceneBands426 = 426;

// The stand at row `row`, column `column` of the scene (seeds 1 ... 25).
StandOptions SceneStand(int row, int column);

// The scene's path in the temporary folder; it is written the first time and
// kept for later runs (delete it when done: it is large).
const std::string& BenchSceneFile();

}  // namespace lumera::bench
