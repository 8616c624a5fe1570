#include "scene_run.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/small_file.h"
#include "scene_refusal.h"
#include "scene_tiles.h"
#include "tile_manifest.h"

namespace lumera::cli {
namespace fs = std::filesystem;

namespace {

const char* const kMarker = "done.json";
const char* const kSettings = "run.txt";

// A tiling and its tiles' markers are trusted only together with the settings
// written after them, so a fresh run removes the settings first.
void ForgetEarlierRun(const fs::path& tiles)
{
    std::error_code none;  // there is nothing to forget where no folder is
    fs::remove(tiles / kSettings, none);
    if (!fs::is_directory(tiles)) return;
    for (const auto& entry : fs::directory_iterator(tiles))
        if (entry.is_directory()) fs::remove(entry.path() / kMarker);
}

std::vector<std::string> TileFolders(const fs::path& manifest)
{
    std::vector<std::string> folders;
    for (const ManifestEntry& e : ReadTileManifest(manifest.string()).Entries) folders.push_back(e.Folder);
    return folders;
}

void TileTheScene(const SceneRunOptions& o, const fs::path& tiles, SceneRunResult& result)
{
    ForgetEarlierRun(tiles);
    Scene scene = OpenScene(o.scene);
    const TilingSummary summary = WriteSceneTiles(scene, o.size, o.overlap, o.import, tiles.string(), o.jobs);
    result.Notes = summary.Notes;
    if (summary.Clipped > 0) result.Notes.push_back(ClippingNote(summary.Clipped));
    WriteFileAtomically((tiles / kSettings).string(), [&](std::ostream& out) { out << o.settings; });
}

// Whether the folder holds a tiling made under these settings.
bool EarlierTiling(const SceneRunOptions& o, const fs::path& tiles)
{
    const fs::path settings = tiles / kSettings;
    if (!fs::exists(settings)) return false;
    if (ReadSmallFile(settings.string(), 1 << 20) != o.settings)
        throw SceneRefusal("Složka " + o.outDir +
                           " patří běhu s jiným snímkem nebo jinými volbami; bez --resume začne běh znovu.");
    return true;
}

class TileRunner {
public:
    TileRunner(const SceneRunOptions& o, const fs::path& tiles, const PipelineInputs& inputs)
        : o_(o), tiles_(tiles), inputs_(inputs), folders_(TileFolders(tiles / "tiles.csv")),
          failed_(folders_.size()), showProgress_(isatty(STDERR_FILENO))
    {
    }

    void Run(SceneRunResult& result)
    {
        std::vector<std::jthread> threads;
        for (int t = 1; t < std::min<int>(o_.jobs, int(folders_.size())); ++t) threads.emplace_back([this] { Work(); });
        Work();
        for (std::jthread& thread : threads) thread.join();
        result.Tiles = int(folders_.size());
        result.Resumed = resumed_;
        for (std::size_t i = 0; i < folders_.size(); ++i)
            if (failed_[i]) result.Failed.push_back(folders_[i]);
    }

private:
    void Work()
    {
        for (std::size_t i = next_++; i < folders_.size(); i = next_++) {
            const fs::path folder = tiles_ / folders_[i];
            if (fs::exists(folder / kMarker)) {
                ++resumed_;
                ++ended_;
                continue;
            }
            const auto start = std::chrono::steady_clock::now();
            try {
                const nlohmann::ordered_json summary =
                    RunPipeline((folder / "cut.dat").string(), folder.string(), o_.pipeline, inputs_, {});
                WriteFileAtomically((folder / kMarker).string(), [&](std::ostream& out) { out << summary.dump() << '\n'; });
                Report(folders_[i], std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            } catch (const std::exception& e) {
                failed_[i] = true;
                ++ended_;
                const std::lock_guard lock(errLock_);
                std::cerr << "Dlaždice " << folders_[i] << ": " << e.what() << '\n';
            }
        }
    }

    // One line per finished tile, only for a person watching a terminal.
    void Report(const std::string& folder, double seconds)
    {
        const int ended = ++ended_;
        if (!showProgress_) return;
        const std::lock_guard lock(errLock_);
        char line[160];
        std::snprintf(line, sizeof line, "Dlaždice %s hotova za %.1f s (%d z %zu)\n", folder.c_str(), seconds, ended,
                      folders_.size());
        std::cerr << line;
    }

    const SceneRunOptions& o_;
    const fs::path tiles_;
    const PipelineInputs& inputs_;
    const std::vector<std::string> folders_;
    std::vector<char> failed_;
    const bool showProgress_;
    std::atomic<std::size_t> next_ = 0;
    std::atomic<int> resumed_ = 0, ended_ = 0;
    std::mutex errLock_;
};

}  // namespace

SceneRunResult RunSceneTiles(const SceneRunOptions& o, const std::string& programDir)
{
    const fs::path tiles = fs::path(o.outDir) / "tiles";
    SceneRunResult result;
    const bool resumed = o.resume && EarlierTiling(o, tiles);
    // Read before the tiling, so that a missing file stops the run before it writes.
    const PipelineInputs inputs = PreparePipeline(o.pipeline, programDir);
    if (!resumed) TileTheScene(o, tiles, result);
    TileRunner(o, tiles, inputs).Run(result);
    return result;
}

}  // namespace lumera::cli
