#include "scene_tiles.h"

#include <filesystem>
#include <future>
#include <optional>

#include "data/staged_folder.h"
#include "parallel_work.h"
#include "scene_refusal.h"
#include "tile_manifest.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

// Consecutive tiles of one strip from `first` on whose resampled windows fit
// the budget together, at least one.
std::size_t ChunkEnd(const std::vector<Tile>& tiles, std::size_t first, std::size_t bytesPerPixel)
{
    const PixelRect& start = tiles[first].Window;
    const std::size_t bytesPerColumn = bytesPerPixel * std::size_t(start.Height);
    std::size_t end = first + 1;
    for (; end < tiles.size() && tiles[end].Row == tiles[first].Row; ++end) {
        const PixelRect& w = tiles[end].Window;
        if (std::size_t(w.X + w.Width - start.X) * bytesPerColumn > kStripChunkBytes) break;
    }
    return end;
}

PixelRect SpanOf(const std::vector<Tile>& tiles, std::size_t first, std::size_t end)
{
    const PixelRect& start = tiles[first].Window;
    const PixelRect& last = tiles[end - 1].Window;
    return {start.X, start.Y, last.X + last.Width - start.X, start.Height};
}

// Cuts tiles out of a resampled block into their folders in the staging folder.
struct TileWriter {
    const ImportPlan& Plan;
    const std::vector<Tile>& Tiles;
    const std::vector<std::optional<GeoReference>>& References;
    StagedFolder& Staged;
    int Jobs = 1;

    // Tiles [first, end), which the block holds, counted into `summary`.
    void Write(const ResampledBlock& block, std::size_t first, std::size_t end, TilingSummary& summary) const
    {
        std::vector<int64_t> clipped(end - first);
        ForEachInParallel(end - first, Jobs, [&](std::size_t i) {
            const Tile& tile = Tiles[first + i];
            const ImportResult result = ImportFromBlock(Plan, block, tile.Window, summary.Scale, References[first + i]);
            const fs::path folder = fs::path(Staged.Path()) / TileFolder(tile);
            fs::create_directories(folder);
            WriteImportedCutout((folder / "cut.dat").string(), result);
            clipped[i] = result.Clipped;
        });
        for (std::size_t i = first; i < end; ++i) {
            summary.Clipped += clipped[i - first];
            // The georeference of an earlier tiling must not stay beside the new cut-out.
            if (!References[i]) Staged.Drop((fs::path(TileFolder(Tiles[i])) / "cut.dat").string() + ".geo.json");
        }
        summary.Tiles += int(end - first);
    }
};

}  // namespace

TilingSummary WriteSceneTiles(Scene& scene, int size, int overlap, const ImportOptions& options,
                              const std::string& dir, int jobs)
{
    if (size < 1 || size > kMaxWindowSide || overlap < 0 || overlap >= size)
        throw SceneRefusal("Dlaždice musí mít 1 až " + std::to_string(kMaxWindowSide) +
                           " pixelů a překryv menší než dlaždice (zadáno " + std::to_string(size) + " a " +
                           std::to_string(overlap) + ").");
    const std::vector<Tile> tiles = TileGrid(scene.Width, scene.Height, size, overlap);
    std::vector<std::optional<GeoReference>> references;
    for (const Tile& tile : tiles) references.push_back(WindowReference(scene, tile.Window));
    const ImportPlan plan = PlanImport(scene, options);
    // A scene that cannot be read to its end fails at a later tile: the tiles
    // are staged so that such a failure leaves the folder as it was.
    StagedFolder staged(dir);
    TilingSummary summary;
    summary.Notes = plan.Notes;
    summary.Scale = ScaleFor(options, scene, plan.Resampling, tiles.front().Window);
    // While one chunk's tiles are written, the next chunk is resampled into
    // the other block: the writes, mostly the system copying them, overlap the work.
    const TileWriter writer{plan, tiles, references, staged, jobs};
    ResampledBlock blocks[2];
    std::future<void> writing;  // the tiles of the chunk before; waited for also when resampling fails
    for (std::size_t first = 0, chunk = 0; first < tiles.size(); ++chunk) {
        const std::size_t end = ChunkEnd(tiles, first, BlockBytesPerPixel(plan.Resampling));
        ResampledBlock& block = blocks[chunk % 2];
        // The rows a strip shares with the one above are taken from its block.
        const ResampledBlock* above = chunk > 0 ? &blocks[(chunk + 1) % 2] : nullptr;
        ResampleRect(scene, SpanOf(tiles, first, end), plan.Resampling, summary.Scale, jobs, block, above);
        if (writing.valid()) writing.get();
        writing = std::async(std::launch::async, [&writer, &block, &summary, first, end] {
            writer.Write(block, first, end, summary);
        });
        first = end;
    }
    writing.get();
    WriteTileManifest((fs::path(staged.Path()) / "tiles.csv").string(), tiles);
    staged.Commit();
    return summary;
}

}  // namespace lumera
