#include "commands.h"
#include "crowns/crown_reflectance.h"
#include "data/cutout_file.h"

namespace lumera::cli {

void AddCrownSpectraCommand(CLI::App& app, const GlobalOptions&, CommandAction& action)
{
    auto* sub = app.add_subcommand(
        "crown-spectra", "Per-crown band means and standard deviations, of all pixels and of the lit ones, to CSV");
    auto cutout = std::make_shared<std::string>();
    auto trees = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    sub->add_option("CUTOUT", *cutout, "Cut-out file")->required();
    sub->add_option("TREES", *trees, "Tree matrix of the cut-out's size")->required();
    sub->add_option("-o", *output, "CSV file to write")->required();
    sub->callback([cutout, trees, output, &action] {
        action = [cutout, trees, output] {
            const TData cube = MapCutout(*cutout);
            const TTreeMatrix matrix = ReadTreeMatrix(*trees);
            if (const auto refusal = CrownSpectraRefusal(cube, matrix)) throw CheckFailed(*refusal);
            const std::vector<CrownSpectrum> spectra = CrownSpectra(cube, matrix);
            WriteCrownSpectra(*output, spectra, cube.NBands);
            PrintJson({{"crowns", spectra.size()}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
