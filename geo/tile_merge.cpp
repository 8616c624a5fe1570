#include "tile_merge.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <unordered_set>

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
// whole when one did, else as it was cut. Two tiles may also each have seen a
// tree whole with its top in the other's core; it is kept once, unless kept
// crowns cover half of it already. A crown only one tile saw whole, with its
// top in a core whose tile found nothing there, is left out: that tile
// decides. Two tiles that each put a tree's top in their own core (their
// pictures differ, so their tops may differ by a pixel) both keep it; the
// later one's crown is dropped. No other tree is lost at a seam, and none is
// kept twice.
class SeamCandidates {
public:
    // Keeps the crowns the tile owns in `kept` and holds back the rest that may
    // be needed at a seam.
    void Sort(std::vector<CrownFeature> crowns, const ManifestEntry& tile, const TTreeMatrix& trees, int sceneWidth,
              int sceneHeight, std::vector<CrownFeature>& kept)
    {
        std::vector<int32_t> keptTrees, cutTrees, wholeTrees;
        std::vector<int64_t> keptTops;
        std::vector<std::size_t> keptAt;
        const std::size_t firstCut = cut_.size(), firstWhole = whole_.size();
        for (CrownFeature& crown : crowns) {
            crown.Tile = tile.Folder;
            const bool inCore = TopInCore(tile.Place, crown.Summary);
            const bool cutOff = TouchesInnerEdge(tile.Place, crown.Summary, sceneWidth, sceneHeight);
            if (inCore && !cutOff) {
                keptTrees.push_back(crown.Summary.Tree);
                keptTops.push_back(TopScenePixel(tile.Place, crown.Summary, sceneWidth));
                keptAt.push_back(kept.size());
                kept.push_back(std::move(crown));
                continue;
            }
            if (!inCore && cutOff) continue;
            (inCore ? cutTrees : wholeTrees).push_back(crown.Summary.Tree);
            const int64_t top = TopScenePixel(tile.Place, crown.Summary, sceneWidth);
            PixelRect box = crown.Summary.Bounds;
            box.X += tile.Place.Window.X;
            box.Y += tile.Place.Window.Y;
            (inCore ? cut_ : whole_).push_back({{top, {}}, box, {}, std::move(crown)});
        }
        AddPixels(cut_, firstCut, TreePixelsInScene(trees, tile.Place.Window, sceneWidth, cutTrees));
        AddPixels(whole_, firstWhole, TreePixelsInScene(trees, tile.Place.Window, sceneWidth, wholeTrees));
        std::vector<std::vector<int64_t>> keptPixels =
            TreePixelsInScene(trees, tile.Place.Window, sceneWidth, keptTrees);
        for (std::size_t k = 0; k < keptPixels.size(); ++k) {
            bool spills = false;
            for (const int64_t pixel : keptPixels[k])
                if (!InCore(tile, pixel, sceneWidth)) keptBeyondCores_.push_back(pixel), spills = true;
            // Only a crown reaching beyond its core can hold another tile's top.
            if (spills) spilling_.push_back({{keptTops[k], std::move(keptPixels[k])}, keptTrees_.size(), keptAt[k]});
        }
        keptTrees_.push_back(std::move(keptTrees));  // ascending, as the crowns come
    }

    // Drops from `kept` the crowns a later tile kept of a tree an earlier one
    // kept too: each crown holds the other's top and they share at least half
    // of each. Called before any seam crown is added.
    void DropTreesKeptTwice(std::vector<CrownFeature>& kept) const
    {
        std::multimap<int64_t, std::size_t> byTop;
        for (std::size_t s = 0; s < spilling_.size(); ++s) byTop.emplace(spilling_[s].Seam.Top, s);
        std::vector<bool> dropped(kept.size(), false);
        for (const Spilling& a : spilling_) {
            if (dropped[a.Kept]) continue;
            for (const int64_t pixel : a.Seam.Pixels) {
                const auto [first, last] = byTop.equal_range(pixel);
                for (auto it = first; it != last; ++it) {
                    const Spilling& b = spilling_[it->second];
                    if (b.Tile > a.Tile && Holds(b.Seam, a.Seam.Top) && MostlyShared(a.Seam.Pixels, b.Seam.Pixels))
                        dropped[b.Kept] = true;
                }
            }
        }
        std::size_t next = 0;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (dropped[i]) continue;
            if (next != i) kept[next] = std::move(kept[i]);  // never onto itself: that would empty it
            ++next;
        }
        kept.resize(next);
    }

    // Whether the tile's core reaches into a crown seen whole elsewhere, so
    // that MarkCoveredPixels needs the tile's matrix.
    bool ReachesWholeCrowns(const ManifestEntry& tile) const
    {
        const PixelRect& core = tile.Place.Core;
        return std::any_of(whole_.begin(), whole_.end(), [&](const Held& h) { return core.Overlaps(h.Box); });
    }

    // Notes the pixels of crowns seen whole elsewhere that lie in the core of
    // the `index`th sorted tile, on a crown it kept.
    void MarkCoveredPixels(const ManifestEntry& tile, std::size_t index, const TTreeMatrix& trees, int sceneWidth)
    {
        const std::vector<int32_t>& own = keptTrees_[index];
        for (Held& h : whole_) {
            if (!tile.Place.Core.Overlaps(h.Box)) continue;
            for (const int64_t pixel : h.Seam.Pixels) {
                if (!InCore(tile, pixel, sceneWidth)) continue;
                const int32_t tree = trees.At(int(pixel % sceneWidth) - tile.Place.Window.X,
                                              int(pixel / sceneWidth) - tile.Place.Window.Y);
                if (std::binary_search(own.begin(), own.end(), tree)) h.CoveredInCores.push_back(pixel);
            }
        }
    }

    void KeepSeamCrowns(std::vector<CrownFeature>& kept)
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
        std::vector<bool> used(whole_.size(), false);
        for (std::size_t c = 0; c < lost.size(); ++c) {
            if (versions[c]) used[*versions[c]] = true;
            Keep(versions[c] ? whole_[*versions[c]] : *lost[c], kept);
        }
        std::multimap<int64_t, std::size_t> wholeByTop;
        for (std::size_t w = 0; w < whole_.size(); ++w) wholeByTop.emplace(whole_[w].Seam.Top, w);
        for (std::size_t w = 0; w < whole_.size(); ++w) {
            if (!used[w] && !MostlyCovered(whole_[w]) && SameTreeElsewhere(whole_[w], wholeByTop))
                Keep(whole_[w], kept);
        }
    }

private:
    struct Spilling {
        SeamCrown Seam;
        std::size_t Tile = 0;  // its tile's place in the sorting
        std::size_t Kept = 0;  // its place in the kept crowns
    };

    struct Held {
        SeamCrown Seam;
        PixelRect Box;                        // in scene pixels
        std::vector<int64_t> CoveredInCores;  // its pixels on crowns kept by the tiles whose cores hold them
        CrownFeature Feature;
    };

    static bool InCore(const ManifestEntry& tile, int64_t pixel, int sceneWidth)
    {
        return tile.Place.Core.Contains(int(pixel % sceneWidth), int(pixel / sceneWidth));
    }

    static void AddPixels(std::vector<Held>& held, std::size_t first, std::vector<std::vector<int64_t>> pixels)
    {
        for (std::size_t i = 0; i < pixels.size(); ++i) held[first + i].Seam.Pixels = std::move(pixels[i]);
    }

    // Whether another tile saw the same tree whole and left it too, its top
    // outside that tile's core: a crown holding this one's top while its own
    // top lies within this one, sharing at least half of the pixels of each.
    // Once this one is kept, that one is covered.
    bool SameTreeElsewhere(const Held& h, const std::multimap<int64_t, std::size_t>& wholeByTop) const
    {
        for (const int64_t pixel : h.Seam.Pixels) {
            const auto [first, last] = wholeByTop.equal_range(pixel);
            for (auto it = first; it != last; ++it) {
                const Held& other = whole_[it->second];
                if (other.Feature.Tile != h.Feature.Tile && Holds(other.Seam, h.Seam.Top) &&
                    MostlyShared(h.Seam.Pixels, other.Seam.Pixels))
                    return true;
            }
        }
        return false;
    }

    static bool Holds(const SeamCrown& crown, int64_t pixel)
    {
        return std::binary_search(crown.Pixels.begin(), crown.Pixels.end(), pixel);
    }

    static bool MostlyShared(const std::vector<int64_t>& a, const std::vector<int64_t>& b)
    {
        std::size_t shared = 0;
        for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end();)
            if (*i < *j) ++i;
            else if (*j < *i) ++j;
            else ++shared, ++i, ++j;
        return 2 * shared >= std::max(a.size(), b.size());
    }

    // Whether crowns kept so far cover at least half of the crown.
    bool MostlyCovered(Held& h) const
    {
        std::sort(h.CoveredInCores.begin(), h.CoveredInCores.end());
        const auto covered = std::count_if(h.Seam.Pixels.begin(), h.Seam.Pixels.end(), [&](int64_t pixel) {
            return std::binary_search(h.CoveredInCores.begin(), h.CoveredInCores.end(), pixel) ||
                   std::binary_search(keptBeyondCores_.begin(), keptBeyondCores_.end(), pixel) ||
                   claimed_.count(pixel) > 0;
        });
        return 2 * std::size_t(covered) >= h.Seam.Pixels.size();
    }

    void Keep(Held& h, std::vector<CrownFeature>& kept)
    {
        claimed_.insert(h.Seam.Pixels.begin(), h.Seam.Pixels.end());
        kept.push_back(std::move(h.Feature));
    }

    std::vector<Held> cut_, whole_;
    std::vector<Spilling> spilling_;               // kept crowns reaching beyond their tiles' cores
    std::vector<int64_t> keptBeyondCores_;         // pixels of kept crowns outside their tiles' cores
    std::vector<std::vector<int32_t>> keptTrees_;  // per tile, the trees it kept, ascending
    std::unordered_set<int64_t> claimed_;          // pixels of the crowns kept at seams
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
        if (fs::exists(referencePath)) reference = ReadGeoReference(referencePath, trees.Width, trees.Height);
        const std::string topsPath = (folder / "maxima.txt").string();
        std::optional<TExtremaList> tops;
        if (fs::exists(topsPath)) tops = ReadExtremaFile(topsPath);
        CrownLayer tile = CrownLayerOf(trees, reference, tops ? &*tops : nullptr);
        merged.Layer.Crs = tile.Crs;
        merged.Layer.WithArea = tile.WithArea;
        merged.Layer.WithTops = merged.Layer.WithTops || tile.WithTops;
        merged.Found += int(tile.Crowns.size());
        seams.Sort(std::move(tile.Crowns), e, trees, manifest.SceneWidth, manifest.SceneHeight, merged.Layer.Crowns);
    }
    seams.DropTreesKeptTwice(merged.Layer.Crowns);
    for (std::size_t i = 0; i < manifest.Entries.size(); ++i) {
        const ManifestEntry& e = manifest.Entries[i];
        if (seams.ReachesWholeCrowns(e))
            seams.MarkCoveredPixels(e, i, ReadTreeMatrix((fs::path(dir) / e.Folder / "trees.dat").string()),
                                  manifest.SceneWidth);
    }
    seams.KeepSeamCrowns(merged.Layer.Crowns);
    merged.Layer.WithTiles = true;
    return merged;
}

}  // namespace lumera
