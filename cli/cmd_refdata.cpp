#include "commands.h"
#include "analysis/reference_files.h"
#include "analysis/reference_generator.h"

namespace lumera::cli {

void AddRefdataCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(
        "refdata", "Make the reference spectrum files (AllRefSp.dat, RefSpE34.txt) from a spectral library table");
    struct Options {
        std::string library, folder;
    };
    auto o = std::make_shared<Options>();
    sub->add_option("--library", o->library, "Spectral library table (CSV), e.g. data/usgs/usgs_splib07_av95.csv")
        ->required();
    sub->add_option("-o", o->folder, "Folder to write the two files into")->required()->check(CLI::ExistingDirectory);
    sub->callback([o, &action] {
        action = [o] {
            WriteReferenceFiles(ReadSpectralLibrary(o->library), o->folder);
            PrintJson({{"spectra", kReferenceSpectra}, {"text_lines", kReferenceTextLines}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
