#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "data/cutout_file.h"
#include "reference_data.h"
#include "sample_data.h"
#include "spectral/masking.h"
#include "spectral/reference_files.h"
#include "spectral/spectral_vector.h"
#include "spectral/weight_file.h"

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
        return "--program-dir " + Quote(dir.Path().string()) + " " + command + " " + Quote(dir.File("cut.dat")) + " " +
               options + " -o " + Quote(dir.File("out.bmp"));
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

TEST(CliNdvi, PrintsThePanelFiguresAndWritesThePicture)
{
    Workspace w;
    const AnalysisResult expected = RunNdvi(w.cube, {.Absolute = true, .P1 = 25, .P2 = 95});
    EXPECT_EQ(ExpectSuccess(w.Command("ndvi", "--ndvi-absolute")), FiguresLine(expected.Figures));
    EXPECT_EQ(ReadBmp(w.dir.File("out.bmp")), expected.Picture);
}

TEST(CliNeedle, NormalisesACustomWeightFile)
{
    Workspace w;
    std::string weights;
    for (int i = 0; i < 64; ++i) weights += i == 5 ? " 4" : " 2";
    std::ofstream(w.dir.File("w.txt")) << weights;
    SpectralState state = w.State();
    state.CustomWeight = ReadWeightFile(w.dir.File("w.txt"));
    TryNormalisePeak(state.CustomWeight);
    state.CustomFunctionSet = true;
    const AnalysisResult expected = RunNeedle(
        w.cube, state, {.Weight = kCustomEntry, .Divisor = NeedleDivisor::Integral, .Absolute = true, .P1 = 50, .P2 = 200});
    const std::string options = "--weight-file " + Quote(w.dir.File("w.txt")) + " --normalize integral --needle-absolute";
    EXPECT_EQ(ExpectSuccess(w.Command("needle", options)), FiguresLine(expected.Figures));
    EXPECT_EQ(ReadBmp(w.dir.File("out.bmp")), expected.Picture);
}

// Every reference spectrum of the table holding the one value everywhere.
void WriteFlatReferenceTable(const Workspace& w, double value)
{
    std::ofstream table(w.dir.File("data/refsp/AllRefSp.dat"), std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 15 * 64; ++i) table.write(reinterpret_cast<const char*>(&value), sizeof value);
}

TEST(CliNeedle, TinyReferenceValuesNormaliseToTheWeightsOfOrdinaryOnes)
{
    Workspace w;
    WriteFlatReferenceTable(w, 0.5);
    const std::string ordinary = ExpectSuccess(w.Command("needle", "--normalize none"));
    WriteFlatReferenceTable(w, 5e-324);  // the reciprocal of the peak overflows
    EXPECT_EQ(ExpectSuccess(w.Command("needle", "--normalize none")), ordinary);
}

TEST(CliMask, WritesThePictureTheMaskingPaints)
{
    Workspace w;
    const MaskSettings s{.Ndvi = {}, .Needle = {.CounterWeight = 6}, .IndexShare = 30, .SpectraShare = 70,
                         .Brightness = MaskBrightness::Band19};
    Bitmap picture;
    const MaskResult expected = RunMask(w.cube, w.State(), s, picture);
    EXPECT_EQ(ExpectSuccess(w.Command("mask", "--ndvi-share 30 --brightness b19 --counterweight T2")),
              nlohmann::ordered_json({{"min", expected.Min}, {"max", expected.Max}}).dump() + "\n");
    EXPECT_EQ(ReadBmp(w.dir.File("out.bmp")), picture);
}

TEST(CliOptions, ProgramDirMayStandBeforeOrAfterTheCommandName)
{
    Workspace w;
    const std::string expected = ExpectSuccess(w.Command("needle", ""));
    const std::string dir = " --program-dir " + Quote(w.dir.Path().string()), cut = Quote(w.dir.File("cut.dat"));
    const std::string out = " -o " + Quote(w.dir.File("out.bmp"));
    EXPECT_EQ(ExpectSuccess("needle " + cut + dir + out), expected);
    EXPECT_EQ(ExpectSuccess("needle " + cut + out + dir), expected);
    ExpectSuccess("info" + dir + " " + cut);
}
