#include <iostream>

#include "commands.h"
#include "data/atomic_file.h"
#include "data/file_error.h"

using namespace lumera::cli;

void lumera::cli::PrintJson(const nlohmann::ordered_json& value)
{
    std::cout << value.dump() << '\n';
}

int main(int argc, char** argv)
{
    lumera::RemoveTemporaryFilesOnInterrupt();
    CLI::App app{"lumera-cli: the Lumera workbench's analyses without a window"};
    app.require_subcommand(1);
    // Options may stand in any order: the tool's own options are also taken
    // after the command name (set before the commands are added, which inherit it).
    app.fallthrough();
    GlobalOptions global;
    app.add_option("--program-dir", global.programDir,
                   "Program directory holding data/refsp (default: the current folder)");

    CommandAction action;
    AddInfoCommand(app, global, action);
    AddBandMapCommand(app, global, action);
    AddSpectrumCommand(app, global, action);
    AddTruecolorCommand(app, global, action);
    AddDetailCommand(app, global, action);
    AddNdviCommand(app, global, action);
    AddNeedleCommand(app, global, action);
    AddMaskCommand(app, global, action);
    AddEqualizeCommand(app, global, action);
    AddFilterCommand(app, global, action);
    AddMaximaCommand(app, global, action);
    AddMinimaCommand(app, global, action);
    AddRefdataCommand(app, global, action);
    AddSynthCommand(app, global, action);
    AddEvaluateCommand(app, global, action);
    AddImportCommand(app, global, action);
    AddPolygonsCommand(app, global, action);
    AddTilesCommand(app, global, action);
    AddMergeCommand(app, global, action);
    AddDelineateCommand(app, global, action);
    AddCrownsCommand(app, global, action);
    AddPipelineCommand(app, global, action);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }

    try {
        return action ? action() : 1;
    } catch (const CheckFailed& e) {
        std::cerr << e.what() << '\n';
        return 2;
    } catch (const lumera::FileError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
