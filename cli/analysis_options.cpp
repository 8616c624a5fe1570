#include "analysis_options.h"

#include <algorithm>
#include <stdexcept>

#include "data/file_error.h"
#include "analysis/reference_files.h"
#include "analysis/weight_file.h"
#include "analysis/weight_table.h"

namespace lumera::cli {

namespace {

std::vector<std::string> ReferenceNames()
{
    return std::vector<std::string>(std::begin(kReferenceNames), std::end(kReferenceNames));
}

int ReferenceIndex(const std::string& name)
{
    const auto names = ReferenceNames();
    return int(std::find(names.begin(), names.end(), name) - names.begin());
}

void CheckRange(const IntPair& pair, int lowest, int highest, const std::string& option)
{
    for (const int v : {pair.first, pair.second})
        if (v < lowest || v > highest)
            throw std::invalid_argument(option + ": " + std::to_string(v) + " is outside " + std::to_string(lowest) +
                                        " ... " + std::to_string(highest));
}

// A weight-function file set as the editor's "Nastavit váhovou funkci" sets it.
void SetCustomFunction(SpectralState& state, WeightEditorMode mode, const std::string& path)
{
    if (!StoreCustomFunction(state, mode, ReadWeightFile(path)))
        throw FileError("Soubor " + path + ": všechny váhy jsou nulové, funkci nelze normalizovat.");
}

}  // namespace

void AddNdviOptions(CLI::App& command, NdviOptions& o)
{
    command.add_option("--red", o.red, "First and last red band (31,33)")->delimiter(',');
    command.add_option("--nir", o.nir, "First and last near-infrared band (41,43)")->delimiter(',');
    command.add_flag("--ndvi-absolute", o.absolute, "Bounds are absolute index values x 100");
    o.boundsOption = command.add_option("--ndvi-bounds", o.bounds, "P1,P2: 30,90, or 25,95 with --ndvi-absolute")
                         ->delimiter(',');
}

void AddNeedleOptions(CLI::App& command, NeedleOptions& o)
{
    auto* weight = command.add_option("--weight", o.weight, "Table spectrum as weight (E1)")
                       ->check(CLI::IsMember(ReferenceNames()));
    command.add_option("--weight-file", o.weightFile, "Weight-function file as the custom weight")
        ->excludes(weight)
        ->check(CLI::ExistingFile);
    command.add_option("--normalize", o.normalize, "none|integral|counterweight (counterweight)")
        ->check(CLI::IsMember({"none", "integral", "counterweight"}));
    auto* counter = command.add_option("--counterweight", o.counterweight, "Counter-weight 1-NAME (E1)")
                        ->check(CLI::IsMember(ReferenceNames()));
    command.add_option("--counterweight-file", o.counterweightFile, "Weight-function file as the custom counter-weight")
        ->excludes(counter)
        ->check(CLI::ExistingFile);
    command.add_flag("--needle-absolute", o.absolute, "Bounds are absolute measure values x 10");
    o.boundsOption = command.add_option("--needle-bounds", o.bounds, "P1,P2: 20,85, or 50,200 with --needle-absolute")
                         ->delimiter(',');
}

NdviSettings ToNdviSettings(const NdviOptions& o)
{
    CheckRange(o.red, 1, kSensorBands, "--red");
    CheckRange(o.nir, 1, kSensorBands, "--nir");
    const IntPair bounds = o.boundsOption->count() ? o.bounds : o.absolute ? IntPair{25, 95} : IntPair{30, 90};
    if (o.absolute) CheckRange(bounds, -100, 100, "--ndvi-bounds");
    else CheckRange(bounds, 0, 99, "--ndvi-bounds");
    NdviSettings s;
    s.RedFirst = o.red.first;
    s.RedLast = o.red.second;
    s.NirFirst = o.nir.first;
    s.NirLast = o.nir.second;
    s.Absolute = o.absolute;
    s.P1 = bounds.first;
    s.P2 = bounds.second;
    return s;
}

NeedleSettings PrepareNeedle(const NeedleOptions& o, const std::string& programDir, SpectralState& state)
{
    const IntPair bounds = o.boundsOption->count() ? o.bounds : o.absolute ? IntPair{50, 200} : IntPair{20, 85};
    CheckRange(bounds, 0, o.absolute ? 300 : 99, "--needle-bounds");
    NeedleSettings s;
    s.Normalise = o.normalize != "none";
    s.Divisor = o.normalize == "integral" ? NeedleDivisor::Integral : NeedleDivisor::CounterWeight;
    s.Absolute = o.absolute;
    s.P1 = bounds.first;
    s.P2 = bounds.second;

    BuildSpectralAxis(state);
    InitCustomFunctions(state);
    s.Weight = ReferenceIndex(o.weight);
    if (!o.weightFile.empty()) {
        SetCustomFunction(state, WeightEditorMode::Weight, o.weightFile);
        s.Weight = kCustomEntry;
    }
    s.CounterWeight = ReferenceIndex(o.counterweight);
    if (!o.counterweightFile.empty()) {
        SetCustomFunction(state, WeightEditorMode::CounterWeight, o.counterweightFile);
        s.CounterWeight = kCustomEntry;
    }
    if (NeedleUsesTable(s)) LoadReferenceTable(state, programDir);
    return s;
}

nlohmann::ordered_json FiguresJson(const AnalysisFigures& f)
{
    return {{"min", f.Min}, {"max", f.Max}, {"lower", f.Lower}, {"upper", f.Upper}};
}

}  // namespace lumera::cli
