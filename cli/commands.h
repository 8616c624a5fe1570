#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

namespace lumera::cli {

// What every command may use: options of the tool as a whole.
struct GlobalOptions {
    std::string programDir = ".";
};

// The command chosen on the command line; returns the exit code.
using CommandAction = std::function<int()>;

// An operation stopped at one of its own checks (exit code 2); the message is
// the one the desktop program shows.
class CheckFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints the command's single JSON line on standard output.
void PrintJson(const nlohmann::ordered_json& value);

// Each command adds its subcommand and, when chosen, sets the action.
void AddInfoCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddBandMapCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddSpectrumCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddTruecolorCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddDetailCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddNdviCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddNeedleCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddMaskCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddEqualizeCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddFilterCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddMaximaCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddMinimaCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddRefdataCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddSynthCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddEvaluateCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddDelineateCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddCrownsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddPipelineCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddCrownSpectraCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);

// The commands that read scenes and write map layers. They need GDAL, whose
// hundred-odd shared libraries would add tens of milliseconds to the start of
// every command, so they live in the companion program lumera-cli-map, which
// lumera-cli hands them to.
struct MapCommand {
    const char* Name;
    const char* Description;
};
inline constexpr MapCommand kImportCommand{"import", "Import a window of a scene GDAL reads as a 65-band cut-out"};
inline constexpr MapCommand kPolygonsCommand{
    "polygons",
    "Write the crowns of a tree matrix as polygons with tree number, pixel count, area (m², when "
    "georeferenced in a projected system) and centroid; the matrix holds no tree tops, so no top position"};
inline constexpr MapCommand kTilesCommand{"tiles",
                                          "Cut a large scene into overlapping 65-band cut-outs with tiles.csv"};
inline constexpr MapCommand kMergeCommand{
    "merge", "Join the crowns of tiles (each tile folder holding its trees.dat) without doubles at the seams"};
inline constexpr MapCommand kSceneCommand{
    "scene", "From a scene to its crowns on the map in one run: tiles, the chain on every tile, and their merge"};
inline constexpr MapCommand kMapCommands[] = {kImportCommand, kPolygonsCommand, kTilesCommand, kMergeCommand,
                                              kSceneCommand};

// In lumera-cli-map only.
void AddImportCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddPolygonsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddTilesCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddMergeCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddSceneCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);

}  // namespace lumera::cli
