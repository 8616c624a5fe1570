#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "data/cutout_file.h"
#include "reference_data.h"
#include "sample_data.h"
#include "analysis/masking.h"
#include "analysis/reference_files.h"
#include "analysis/band_vector.h"
#include "analysis/weight_file.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A program directory with the shipped reference files and a random cut-out.
struct Workspace {
    Workspace()
    {
        InstallReferenceFiles(dir.Path());
        WriteCutout(dir.File("cut.dat"), cube);
    }
    std::string Command(const std::string& command, const std::string& options)
    {
        return Expand(dir, "--program-dir @ " + command + " @cut.dat " + options + " -o @out.bmp");
    }
    SpectralState State()
    {
        SpectralState state;
        BuildSpectralAxis(state);
        InitCustomFunctions(state);
        LoadReferenceTable(state, dir.Path().string());
        return state;
    }

    TempDir dir;
    TData cube = RandomCube(65, 6, 5, 9);
};

// The figures in the order the commands print them.
std::string FiguresLine(const AnalysisFigures& f)
{
    return nlohmann::ordered_json{{"min", f.Min}, {"max", f.Max}, {"lower", f.Lower}, {"upper", f.Upper}}.dump() + "\n";
}

}  // namespace

// Each analysis with settings away from its defaults, --program-dir also
// given after the command's options.
TEST(CliAnalyses, EachPrintsThePanelFiguresAndWritesThePictureOfItsSettings)
{
    Workspace w;
    std::string weights;
    for (int i = 0; i < 64; ++i) weights += i == 5 ? " 4" : " 2";
    WriteAll(w.dir.File("w.txt"), weights);
    SpectralState custom = w.State();
    custom.CustomWeight = ReadWeightFile(w.dir.File("w.txt"));
    TryNormalisePeak(custom.CustomWeight);
    custom.CustomFunctionSet = true;
    const AnalysisResult ndvi = RunNdvi(w.cube, {.Absolute = true, .P1 = 25, .P2 = 95});
    const AnalysisResult needle = RunNeedle(
        w.cube, custom, {.Weight = kCustomEntry, .Divisor = NeedleDivisor::Integral, .Absolute = true, .P1 = 50, .P2 = 200});
    Bitmap mask;
    const MaskResult m = RunMask(w.cube, w.State(),
                                 {.Ndvi = {}, .Needle = {.CounterWeight = 6}, .IndexShare = 30, .SpectraShare = 70,
                                  .Brightness = MaskBrightness::Band19},
                                 mask);
    const std::string maskOptions = " --ndvi-share 30 --brightness b19 --counterweight T2";
    const struct {
        std::string arguments, printed;
        Bitmap picture;
    } rows[] = {
        {w.Command("ndvi", "--ndvi-absolute"), FiguresLine(ndvi.Figures), ndvi.Picture},
        {w.Command("needle", "--weight-file @w.txt --normalize integral --needle-absolute"),
         FiguresLine(needle.Figures), needle.Picture},
        {Expand(w.dir, "mask @cut.dat" + maskOptions + " -o @out.bmp --program-dir @"),
         nlohmann::ordered_json({{"min", m.Min}, {"max", m.Max}}).dump() + "\n", mask},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExpectSuccess(row.arguments), row.printed) << row.arguments;
        EXPECT_EQ(ReadBmp(w.dir.File("out.bmp")), row.picture) << row.arguments;
    }
    ExpectSuccess(Expand(w.dir, "info --program-dir @ @cut.dat"));
}
