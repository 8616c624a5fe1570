#include "tile_merge.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "data/file_error.h"
#include "extrema/extrema_file.h"
#include "geo_reference.h"
#include "mapping/crown_summary.h"
#include "mapping/seam_crowns.h"
#include "tile_manifest.h"

namespace lumera {
namespace fs = std::filesystem;

namespace {

// The crowns a tile saw cut off at an inner edge of its window while its core
// holds their tops, and the crowns tiles saw whole whose tops lie outside
// their cores. A cut crown is left out where a crown kept from another tile
// covers its top (that tile found the tree), else kept as a neighbour saw it
// whole when one did, else as it was cut: no tree is lost at a seam, none
// kept twice.
class SeamCandidates {
public:
    // Keeps the crowns the tile owns in `kept` and holds back the rest that may
    // be needed at a seam.
    void Sort(std::vector<CrownFeature> crowns, const ManifestEntry& tile, const TTreeMatrix& trees, int sceneWidth,
              int sceneHeight, std::vector<CrownFeature>& kept)
    {
        std::vector<int32_t> keptTrees, cutTrees, wholeTrees;
        const std::size_t firstCut = cut_.size(), firstWhole = whole_.size();
        for (CrownFeature& crown : crowns) {
            crown.Tile = tile.Folder;
            const bool inCore = TopInCore(tile.Place, crown.Summary);
            const bool cutOff = TouchesInnerEdge(tile.Place, crown.Summary, sceneWidth, sceneHeight);
            if (inCore && !cutOff) {
                keptTrees.push_back(crown.Summary.Tree);
                kept.push_back(std::move(crown));
                continue;
            }
            if (!inCore && cutOff) continue;
            (inCore ? cutTrees : wholeTrees).push_back(crown.Summary.Tree);
            const int64_t top = TopScenePixel(tile.Place, crown.Summary, sceneWidth);
            (inCore ? cut_ : whole_).push_back({{top, {}}, std::move(crown)});
        }
        AddPixels(cut_, firstCut, TreePixelsInScene(trees, tile.Place.Window, sceneWidth, cutTrees));
        AddPixels(whole_, firstWhole, TreePixelsInScene(trees, tile.Place.Window, sceneWidth, wholeTrees));
        for (const std::vector<int64_t>& pixels : TreePixelsInScene(trees, tile.Place.Window, sceneWidth, keptTrees))
            for (const int64_t pixel : pixels)
                if (!tile.Place.Core.Contains(int(pixel % sceneWidth), int(pixel / sceneWidth)))
                    keptBeyondCores_.push_back(pixel);
    }

    void KeepCutCrowns(std::vector<CrownFeature>& kept)
    {
        std::sort(keptBeyondCores_.begin(), keptBeyondCores_.end());
        std::vector<Held*> lost;
        std::vector<SeamCrown> cut, whole;
        for (Held& h : cut_)
            if (!std::binary_search(keptBeyondCores_.begin(), keptBeyondCores_.end(), h.Seam.Top)) {
                lost.push_back(&h);
                cut.push_back(h.Seam);
            }
        for (const Held& h : whole_) whole.push_back(h.Seam);
        const std::vector<std::optional<std::size_t>> versions = WholeVersionsOfCutCrowns(cut, whole);
        for (std::size_t c = 0; c < lost.size(); ++c)
            kept.push_back(std::move(versions[c] ? whole_[*versions[c]].Feature : lost[c]->Feature));
    }

private:
    struct Held {
        SeamCrown Seam;
        CrownFeature Feature;
    };

    static void AddPixels(std::vector<Held>& held, std::size_t first, std::vector<std::vector<int64_t>> pixels)
    {
        for (std::size_t i = 0; i < pixels.size(); ++i) held[first + i].Seam.Pixels = std::move(pixels[i]);
    }

    std::vector<Held> cut_, whole_;
    std::vector<int64_t> keptBeyondCores_;  // pixels of kept crowns outside their tiles' cores
};

}  // namespace

MergeSummary MergeTileCrowns(const std::string& dir)
{
    const TileManifest manifest = ReadTileManifest((fs::path(dir) / "tiles.csv").string());
    MergeSummary merged;
    SeamCandidates seams;
    for (const ManifestEntry& e : manifest.Entries) {
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
        std::vector<CrownFeature> crowns =
            PolygonizeCrowns(trees, reference.Transform, pixelArea, tops ? &*tops : nullptr);
        merged.Found += int(crowns.size());
        seams.Sort(std::move(crowns), e, trees, manifest.SceneWidth, manifest.SceneHeight, merged.Layer.Crowns);
    }
    seams.KeepCutCrowns(merged.Layer.Crowns);
    merged.Layer.WithTiles = true;
    return merged;
}

}  // namespace lumera
