#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "commands.h"
#include "data/temporary_files.h"
#include "data/file_error.h"
#include "map_program.h"
#include "process_setup.h"
#include "shared_files.h"

using namespace lumera::cli;

// A file name or a scene's text need not be UTF-8; such bytes become U+FFFD
// rather than an error after the outputs are written.
void lumera::cli::PrintJson(const nlohmann::ordered_json& value)
{
    std::cout << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

namespace {

#ifndef LUMERA_CLI_MAP
// The command a command line names: its first word that is not an option of
// the tool as a whole.
std::string_view CommandName(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--program-dir") ++i;
        else if (!word.starts_with("-")) return word;
    }
    return {};
}

bool IsMapCommand(std::string_view name)
{
    for (const MapCommand& command : kMapCommands)
        if (name == command.Name) return true;
    return false;
}

// Runs lumera-cli-map, which lies beside this program, with the same
// arguments; comes back only when it cannot be started.
int HandToMapProgram(std::string_view command, char** argv)
{
    const std::string program = MapProgramPath();
    argv[0] = const_cast<char*>(program.c_str());
    execv(program.c_str(), argv);
    std::cerr << "Příkaz " << command << " nelze spustit: program " << program << " chybí nebo nejde spustit ("
              << std::strerror(errno) << ").\n";
    return 1;
}
#endif

void AddCommands(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
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
#ifdef LUMERA_CLI_MAP
    AddImportCommand(app, global, action);
    AddPolygonsCommand(app, global, action);
    AddTilesCommand(app, global, action);
    AddMergeCommand(app, global, action);
    AddSceneCommand(app, global, action);
#else
    // Listed in the help; run by lumera-cli-map.
    for (const MapCommand& command : kMapCommands) app.add_subcommand(command.Name, command.Description);
#endif
    AddDelineateCommand(app, global, action);
    AddCrownsCommand(app, global, action);
    AddPipelineCommand(app, global, action);
    AddCrownSpectraCommand(app, global, action);
}

}  // namespace

int main(int argc, char** argv)
{
#ifndef LUMERA_CLI_MAP
    if (const std::string_view command = CommandName(argc, argv); IsMapCommand(command))
        return HandToMapProgram(command, argv);
#endif
    lumera::RemoveTemporaryFilesOnInterrupt();
    PlaceHeapOnLargePages();
    FailCleanlyWhenAMappedFileShrinks();
    CLI::App app{"lumera-cli: the Lumera workbench's analyses without a window"};
    app.require_subcommand(1);
    // Options may stand in any order: the tool's own options are also taken
    // after the command name (set before the commands are added, which inherit it).
    app.fallthrough();
    GlobalOptions global;
    app.add_option("--program-dir", global.programDir,
                   "Program directory holding data/refsp (default: the current folder)");

    CommandAction action;
    AddCommands(app, global, action);

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
        if (!action) return 1;
        RefuseSharedFiles(*app.get_subcommands().front());
        return action();
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
