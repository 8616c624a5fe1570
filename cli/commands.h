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
void AddImportCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddPolygonsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddTilesCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddMergeCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddDelineateCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddCrownsCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);
void AddPipelineCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action);

}  // namespace lumera::cli
