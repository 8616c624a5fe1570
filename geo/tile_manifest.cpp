#include "tile_manifest.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "scene_import.h"

namespace lumera {

namespace {

const char* const kManifestHeader = "tile,x,y,width,height,core_x,core_y,core_width,core_height";

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
            if (entries[j].Place.Core.Overlaps(core))
                throw refuse("jádra dlaždic " + entries[j].Folder + " a " + e.Folder + " se překrývají");
        }
        covered += int64_t(core.Width) * core.Height;
    }
    if (covered != int64_t(width) * height) throw refuse("jádra dlaždic nepokrývají celý snímek");
}

}  // namespace

std::string TileFolder(const Tile& tile)
{
    char name[32];
    std::snprintf(name, sizeof name, "r%02d_c%02d", tile.Row, tile.Column);
    return name;
}

void WriteTileManifest(const std::string& path, const std::vector<Tile>& tiles)
{
    WriteFileAtomically(path, [&](std::ostream& out) {
        out << kManifestHeader << '\n';
        for (const Tile& t : tiles)
            out << TileFolder(t) << ',' << t.Window.X << ',' << t.Window.Y << ',' << t.Window.Width << ','
                << t.Window.Height << ',' << t.Core.X << ',' << t.Core.Y << ',' << t.Core.Width << ','
                << t.Core.Height << '\n';
    });
}

TileManifest ReadTileManifest(const std::string& path)
{
    std::ifstream in(path);
    if (!in) throw FileError("Soubor " + path + " nelze otevřít.");
    std::string line;
    if (!std::getline(in, line) || line.rfind(kManifestHeader, 0) != 0)
        throw FileError("Soubor " + path + " není seznam dlaždic: chybí hlavička \"" + kManifestHeader + "\".");
    TileManifest manifest;
    for (int number = 2; std::getline(in, line); ++number)
        if (!line.empty() && line != "\r") manifest.Entries.push_back(ParseManifestLine(path, line, number));
    if (manifest.Entries.empty()) throw FileError("Soubor " + path + " neuvádí žádnou dlaždici.");
    for (const ManifestEntry& e : manifest.Entries) {
        manifest.SceneWidth = std::max(manifest.SceneWidth, e.Place.Window.X + e.Place.Window.Width);
        manifest.SceneHeight = std::max(manifest.SceneHeight, e.Place.Window.Y + e.Place.Window.Height);
    }
    CheckPartition(path, manifest.Entries, manifest.SceneWidth, manifest.SceneHeight);
    return manifest;
}

}  // namespace lumera
