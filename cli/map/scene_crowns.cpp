#include "scene_crowns.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "crowns/tree_table.h"
#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/output_batch.h"
#include "data/small_file.h"
#include "tile_merge.h"

namespace lumera::cli {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLargestTable = std::size_t(1) << 30;
const std::vector<std::string> kFigures = {"min_x", "min_y", "max_x", "max_y", "mean_brightness", "mean_ndvi"};

std::string Shortest(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::optional<int32_t> LeadingTree(const std::string& line)
{
    int32_t tree = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), tree);
    if (error != std::errc() || end == line.data() + line.size() || *end != ',' || tree < 1) return std::nullopt;
    return tree;
}

FileError Malformed(const std::string& path, const std::string& what, std::size_t line)
{
    return FileError("Soubor " + path + " není " + what + ": řádek " + std::to_string(line + 1) + ".");
}

// What one tile's trees.csv and spectra.csv say about its trees.
struct TileTables {
    std::map<int32_t, std::array<double, 2>> Means;  // brightness and NDVI by tree
    std::map<int32_t, std::vector<std::string>> Spectra;  // rows without their tree number
    std::optional<std::string> SpectraHeader;
};

std::map<int32_t, std::array<double, 2>> ReadTreeMeans(const std::string& path)
{
    const std::vector<std::string> lines = Lines(ReadSmallFile(path, kLargestTable));
    if (lines.empty() || lines[0] + '\n' != TreeTableCsv({})) throw Malformed(path, "tabulka stromů", 0);
    std::map<int32_t, std::array<double, 2>> means;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t ndvi = line.rfind(','), brightness = line.rfind(',', ndvi - 1);
        const std::optional<int32_t> tree = LeadingTree(line);
        std::array<double, 2> values{};
        const char* end = line.data() + line.size();
        const bool valid = tree && brightness != std::string::npos && brightness > 0 &&
                           std::from_chars(line.data() + brightness + 1, line.data() + ndvi, values[0]).ptr ==
                               line.data() + ndvi &&
                           std::from_chars(line.data() + ndvi + 1, end, values[1]).ptr == end;
        if (!valid) throw Malformed(path, "tabulka stromů", i);
        means[*tree] = values;
    }
    return means;
}

TileTables ReadTileTables(const fs::path& folder)
{
    TileTables tables;
    tables.Means = ReadTreeMeans((folder / "trees.csv").string());
    const std::string spectra = (folder / "spectra.csv").string();
    if (!fs::exists(spectra)) return tables;
    const std::vector<std::string> lines = Lines(ReadSmallFile(spectra, kLargestTable));
    if (lines.empty()) throw Malformed(spectra, "tabulka spekter korun", 0);
    tables.SpectraHeader = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::optional<int32_t> tree = LeadingTree(lines[i]);
        if (!tree) throw Malformed(spectra, "tabulka spekter korun", i);
        tables.Spectra[*tree].push_back(lines[i].substr(lines[i].find(',')));
    }
    return tables;
}

std::string TopCell(const CrownFeature& crown, double value)
{
    return crown.Summary.HasTop() ? Shortest(value) : std::string();
}

std::string TreeTable(const CrownLayer& layer)
{
    std::string csv = "tree,tile,tile_tree,pixels,";
    if (layer.WithArea) csv += "area_m2,";
    csv += "top_x,top_y,centroid_x,centroid_y";
    for (const std::string& name : kFigures) csv += ',' + name;
    csv += '\n';
    for (std::size_t i = 0; i < layer.Crowns.size(); ++i) {
        const CrownFeature& c = layer.Crowns[i];
        csv += std::to_string(i + 1) + ',' + c.Tile + ',' + std::to_string(c.Summary.Tree) + ',' +
               std::to_string(c.Summary.Pixels) + ',';
        if (layer.WithArea) csv += Shortest(c.AreaM2) + ',';
        csv += TopCell(c, c.Top.X) + ',' + TopCell(c, c.Top.Y) + ',' +
               Shortest(c.Centroid.X) + ',' + Shortest(c.Centroid.Y);
        for (double figure : c.Figures) csv += ',' + Shortest(figure);
        csv += '\n';
    }
    return csv;
}

// Each crown's bounds and means, and the kept crowns' spectra renumbered in
// the layer's order; nothing when a tile has no spectra.
std::optional<std::string> AddFigures(const std::string& tilesDir, CrownLayer& layer)
{
    std::map<std::string, TileTables> tiles;
    for (CrownFeature& crown : layer.Crowns)
        if (!tiles.contains(crown.Tile)) tiles[crown.Tile] = ReadTileTables(fs::path(tilesDir) / crown.Tile);
    std::optional<std::string> spectra;
    for (const auto& [folder, tables] : tiles) {
        if (!tables.SpectraHeader) return std::nullopt;
        if (spectra && spectra->substr(0, spectra->find('\n')) != *tables.SpectraHeader)
            throw FileError("Soubor " + (fs::path(tilesDir) / folder / "spectra.csv").string() +
                            " má jiná pásma než spektra ostatních dlaždic.");
        if (!spectra) spectra = *tables.SpectraHeader + '\n';
    }
    for (std::size_t i = 0; i < layer.Crowns.size(); ++i) {
        CrownFeature& crown = layer.Crowns[i];
        const TileTables& tables = tiles.at(crown.Tile);
        const auto means = tables.Means.find(crown.Summary.Tree);
        if (means == tables.Means.end())
            throw FileError("Soubor " + (fs::path(tilesDir) / crown.Tile / "trees.csv").string() + " neuvádí strom " +
                            std::to_string(crown.Summary.Tree) + ".");
        OGREnvelope bounds;
        crown.Geometry->getEnvelope(&bounds);
        crown.Figures = {bounds.MinX, bounds.MinY, bounds.MaxX, bounds.MaxY, means->second[0], means->second[1]};
        if (!spectra) continue;
        const auto rows = tables.Spectra.find(crown.Summary.Tree);
        if (rows != tables.Spectra.end())
            for (const std::string& row : rows->second) *spectra += std::to_string(i + 1) + row + '\n';
    }
    return spectra;
}

}  // namespace

SceneCrownsSummary WriteSceneCrowns(const std::string& tilesDir, const std::string& crownsPath)
{
    MergeSummary merged = MergeTileCrowns(tilesDir);
    merged.Layer.FigureNames = kFigures;
    const std::optional<std::string> spectra = AddFigures(tilesDir, merged.Layer);
    const fs::path out = fs::path(crownsPath).parent_path();
    OutputBatch batch;
    WriteCrownLayer(crownsPath, merged.Layer);
    const std::string trees = TreeTable(merged.Layer);
    WriteFileAtomically((out / "trees.csv").string(), [&](std::ostream& o) { o << trees; });
    if (spectra) WriteFileAtomically((out / "spectra.csv").string(), [&](std::ostream& o) { o << *spectra; });
    else if (fs::exists(out / "spectra.csv")) batch.Remove((out / "spectra.csv").string());
    batch.Commit();
    return {merged.Found, merged.Layer.Crowns.size(), spectra.has_value()};
}

}  // namespace lumera::cli
