#include "scene_tiles.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <future>
#include <sstream>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/staged_folder.h"
#include "extrema/extrema_file.h"
#include "parallel_work.h"
#include "scene_refusal.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

const char* const kManifestHeader = "tile,x,y,width,height,core_x,core_y,core_width,core_height";

std::string TileFolder(const Tile& tile)
{
    char name[32];
    std::snprintf(name, sizeof name, "r%02d_c%02d", tile.Row, tile.Column);
    return name;
}

void WriteManifest(const std::string& path, const std::vector<Tile>& tiles)
{
    WriteFileAtomically(path, [&](std::ostream& out) {
        out << kManifestHeader << '\n';
        for (const Tile& t : tiles)
            out << TileFolder(t) << ',' << t.Window.X << ',' << t.Window.Y << ',' << t.Window.Width << ','
                << t.Window.Height << ',' << t.Core.X << ',' << t.Core.Y << ',' << t.Core.Width << ','
                << t.Core.Height << '\n';
    });
}

struct ManifestEntry {
    std::string Folder;
    Tile Place;
};

ManifestEntry ParseManifestLine(const std::string& path, std::string line, int number)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    int v[8] = {};
    bool valid = fields.size() == 9 && !fields[0].empty() && fields[0].find_first_of("/\\") == std::string::npos &&
                 fields[0] != "..";
    for (int i = 0; valid && i < 8; ++i) {
        const std::string& f = fields[std::size_t(i) + 1];
        valid = std::from_chars(f.data(), f.data() + f.size(), v[i]).ptr == f.data() + f.size() && !f.empty();
    }
    // Positions far beyond any scene are refused, so that no sum of them overflows.
    constexpr int kFarthest = 1 << 30;
    for (int i : {0, 1, 4, 5}) valid = valid && v[i] >= 0 && v[i] <= kFarthest;
    for (int i : {2, 3, 6, 7}) valid = valid && v[i] >= 1 && v[i] <= kMaxWindowSide;
    if (!valid)
        throw FileError("Soubor " + path + " není seznam dlaždic: řádek " + std::to_string(number) + " \"" + line +
                        "\".");
    return {fields[0], {0, 0, {v[0], v[1], v[2], v[3]}, {v[4], v[5], v[6], v[7]}}};
}

std::vector<ManifestEntry> ReadManifest(const std::string& path)
{
    std::ifstream in(path);
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    std::string line;
    if (!std::getline(in, line) || line.rfind(kManifestHeader, 0) != 0)
        throw FileError("Soubor " + path + " není seznam dlaždic: chybí hlavička \"" + kManifestHeader + "\".");
    std::vector<ManifestEntry> entries;
    for (int number = 2; std::getline(in, line); ++number)
        if (!line.empty() && line != "\r") entries.push_back(ParseManifestLine(path, line, number));
    if (entries.empty()) throw FileError("Soubor " + path + " neuvádí žádnou dlaždici.");
    return entries;
}

bool Overlap(const PixelRect& a, const PixelRect& b)
{
    return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height && b.Y < a.Y + a.Height;
}

bool Inside(const PixelRect& inner, const PixelRect& outer)
{
    return inner.X >= outer.X && inner.Y >= outer.Y && inner.X + inner.Width <= outer.X + outer.Width &&
           inner.Y + inner.Height <= outer.Y + outer.Height;
}

// Every tile listed once, each core within its window, and the cores covering
// the scene exactly once, else a crown would be kept twice or not at all.
void CheckPartition(const std::string& path, const std::vector<ManifestEntry>& entries, int width, int height)
{
    const auto refuse = [&](const std::string& problem) {
        return FileError("Soubor " + path + " není seznam dlaždic snímku: " + problem + ".");
    };
    int64_t covered = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ManifestEntry& e = entries[i];
        const PixelRect& core = e.Place.Core;
        if (!Inside(core, e.Place.Window))
            throw refuse("jádro dlaždice " + e.Folder + " neleží uvnitř jejího okna");
        for (std::size_t j = 0; j < i; ++j) {
            if (entries[j].Folder == e.Folder) throw refuse("dlaždice " + e.Folder + " je uvedena dvakrát");
            if (Overlap(entries[j].Place.Core, core))
                throw refuse("jádra dlaždic " + entries[j].Folder + " a " + e.Folder + " se překrývají");
        }
        covered += int64_t(core.Width) * core.Height;
    }
    if (covered != int64_t(width) * height) throw refuse("jádra dlaždic nepokrývají celý snímek");
}

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
    WriteManifest((fs::path(staged.Path()) / "tiles.csv").string(), tiles);
    staged.Commit();
    return summary;
}

MergeSummary MergeTileCrowns(const std::string& dir)
{
    const std::string manifest = (fs::path(dir) / "tiles.csv").string();
    const std::vector<ManifestEntry> entries = ReadManifest(manifest);
    int sceneWidth = 0, sceneHeight = 0;
    for (const ManifestEntry& e : entries) {
        sceneWidth = std::max(sceneWidth, e.Place.Window.X + e.Place.Window.Width);
        sceneHeight = std::max(sceneHeight, e.Place.Window.Y + e.Place.Window.Height);
    }
    CheckPartition(manifest, entries, sceneWidth, sceneHeight);
    MergeSummary merged;
    for (const ManifestEntry& e : entries) {
        const fs::path folder = fs::path(dir) / e.Folder;
        const std::string treesPath = (folder / "trees.dat").string();
        const TTreeMatrix trees = ReadTreeMatrix(treesPath);
        if (trees.Width != e.Place.Window.Width || trees.Height != e.Place.Window.Height)
            throw FileError("Soubor " + treesPath + " má rozměry " + std::to_string(trees.Width) + " x " +
                            std::to_string(trees.Height) + ", dlaždice " + e.Folder + " má " +
                            std::to_string(e.Place.Window.Width) + " x " + std::to_string(e.Place.Window.Height) + ".");
        const std::string referencePath = GeoReferencePath((folder / "cut.dat").string());
        GeoReference reference{WindowGeoTransform(kPixelTransform, e.Place.Window.X, e.Place.Window.Y), ""};
        const bool georeferenced = fs::exists(referencePath);
        if (georeferenced) reference = ReadGeoReference(referencePath, trees.Width, trees.Height);
        const double pixelArea = georeferenced ? PixelAreaSquareMetres(reference) : 0.0;
        merged.Layer.Crs = reference.Crs;
        merged.Layer.WithArea = pixelArea > 0.0;
        const std::string topsPath = (folder / "maxima.txt").string();
        std::optional<TExtremaList> tops;
        if (fs::exists(topsPath)) tops = ReadExtremaFile(topsPath);
        merged.Layer.WithTops = merged.Layer.WithTops || tops.has_value();
        for (CrownFeature& crown : PolygonizeCrowns(trees, reference.Transform, pixelArea, tops ? &*tops : nullptr)) {
            ++merged.Found;
            if (!TileOwnsCrown(e.Place, crown.Summary, sceneWidth, sceneHeight)) continue;
            crown.Tile = e.Folder;
            merged.Layer.Crowns.push_back(std::move(crown));
        }
    }
    merged.Layer.WithTiles = true;
    return merged;
}

}  // namespace lumera
