#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/cube.h"
#include "geo_reference.h"
#include "mapping/band_resampling.h"
#include "mapping/tile_grid.h"
#include "resampled_block.h"
#include "scene.h"

namespace lumera {

// Largest side of a window taken from a scene: the cut-out's limit.
constexpr int kMaxWindowSide = 400;

struct ImportOptions {
    std::optional<PixelRect> Window;        // the whole scene when not given
    std::optional<std::string> Wavelengths;  // a wavelength file instead of the metadata
    std::optional<double> Scale;             // counts per scene value; guessed when not given
    bool AllowPartial = false;               // fill bands the scene does not cover with 0
};

struct ImportResult {
    TData Cube;  // 65 bands on the program's band table
    PixelRect Window;
    std::optional<GeoReference> Reference;  // of the window, when the scene has one
    double Scale = 1.0;
    int64_t Clipped = 0;       // values clipped to 0 … 32767
    int64_t NoDataPixels = 0;  // pixels set to 0 because a band read had no data there
    std::vector<int> Filled;   // 1-based bands filled with 0 (only with AllowPartial)
    std::vector<std::string> Notes;  // what the user should be told, clipping aside
};

// The message about values clipped to counts; "" when none were.
std::string ClippingNote(int64_t clipped);

// Everything the user should be told about an import, clipping included.
std::vector<std::string> ImportNotes(const ImportResult& result);

// Brings a window of a scene onto the program's 65 bands as a cut-out: each
// band the Gaussian-weighted average of the scene's bands, times the scale,
// rounded and clipped to counts; a pixel without data in any band read
// becomes 0 in every band. Throws SceneRefusal for a window not inside the
// scene or larger than 400 x 400, a scene without wavelengths and bands not
// covered; FileError for files that cannot be read.
ImportResult ImportScene(Scene& scene, const ImportOptions& options);

// What the imports of all windows of a scene share: how its bands become the
// program's, and what the user should be told. Throws SceneRefusal for a
// scene without wavelengths and bands not covered (unless AllowPartial).
struct ImportPlan {
    ResamplingPlan Resampling;
    std::vector<int> Filled;
    std::vector<std::string> Notes;
};
ImportPlan PlanImport(const Scene& scene, const ImportOptions& options);

// The georeference of a window, when the scene has one; throws FileError when
// the window's corners or pixel area are not finite numbers on the map.
std::optional<GeoReference> WindowReference(const Scene& scene, const PixelRect& window);

// The scale given, or the one guessed from the values of `window`: floating
// values are read for it.
double ScaleFor(const ImportOptions& options, Scene& scene, const ResamplingPlan& plan, const PixelRect& window);

// The import of `window` from a block resampled with `scale` that holds it.
ImportResult ImportFromBlock(const ImportPlan& plan, const ResampledBlock& block, const PixelRect& window,
                             double scale, std::optional<GeoReference> reference);

// Writes the cut-out and, when the window is georeferenced, its georeference
// beside it; a stale georeference of an earlier cut-out of that name is removed.
void WriteImportedCutout(const std::string& path, const ImportResult& result);

}  // namespace lumera
