#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_runner.h"
#include "sample_data.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "reference_data.h"
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
    std::string Run(const std::string& command, const std::string& options, const std::string& output)
    {
        result = RunCli("--program-dir " + Quote(dir.Path().string()) + " " + command + " " +
                        Quote(dir.File("cut.dat")) + " " + options + " -o " + Quote(dir.File(output)));
        return result.out;
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
    CliResult result;
};

// The four figures as printed, read back.
std::vector<double> Numbers(const std::string& json)
{
    std::vector<double> values;
    for (std::size_t p = json.find(':'); p != std::string::npos; p = json.find(':', p + 1))
        values.push_back(std::stod(json.substr(p + 1)));
    return values;
}

std::vector<double> Figures(const AnalysisFigures& f) { return {f.Min, f.Max, f.Lower, f.Upper}; }

}  // namespace

TEST(CliNdvi, PrintsThePanelFiguresAndWritesThePicture)
{
    Workspace w;
    const std::string out = w.Run("ndvi", "--ndvi-absolute", "ndvi.bmp");
    ASSERT_EQ(w.result.exitCode, 0) << w.result.err;
    EXPECT_EQ(out.rfind("{\"min\":", 0), 0u) << out;
    EXPECT_NE(out.find(",\"max\":"), std::string::npos);
    EXPECT_NE(out.find(",\"lower\":0.25,\"upper\":0.95}"), std::string::npos) << out;
    NdviSettings s;
    s.Absolute = true;
    s.P1 = 25;
    s.P2 = 95;
    const AnalysisResult expected = RunNdvi(w.cube, s);
    EXPECT_EQ(Numbers(out), Figures(expected.Figures));
    EXPECT_EQ(ReadBmp(w.dir.File("ndvi.bmp")), expected.Picture);
    EXPECT_EQ(w.result.err, "");
}

TEST(CliNdvi, ReversedBandRangeStopsWithExitTwoAndNoPicture)
{
    Workspace w;
    w.Run("ndvi", "--red 34,33", "ndvi.bmp");
    EXPECT_EQ(w.result.exitCode, 2);
    EXPECT_EQ(w.result.err, "Nesmyslný rozsah u RED a NIR.\n");
    EXPECT_EQ(w.result.out, "");
    EXPECT_FALSE(std::filesystem::exists(w.dir.File("ndvi.bmp")));
    w.Run("ndvi", "--red 0,33", "ndvi.bmp");
    EXPECT_EQ(w.result.exitCode, 1);
}

TEST(CliNeedle, DefaultsAndCustomWeightFiles)
{
    Workspace w;
    const std::string out = w.Run("needle", "", "needle.bmp");
    ASSERT_EQ(w.result.exitCode, 0) << w.result.err;
    SpectralState state = w.State();
    const AnalysisResult defaults = RunNeedle(w.cube, state, NeedleSettings{});
    EXPECT_EQ(Numbers(out), Figures(defaults.Figures));
    EXPECT_EQ(ReadBmp(w.dir.File("needle.bmp")), defaults.Picture);

    std::string weights;
    for (int i = 0; i < 64; ++i) weights += i == 5 ? " 4" : " 2";
    std::ofstream(w.dir.File("w.txt")) << weights;
    const std::string custom =
        w.Run("needle", "--weight-file " + Quote(w.dir.File("w.txt")) + " --normalize integral --needle-absolute",
              "custom.bmp");
    ASSERT_EQ(w.result.exitCode, 0) << w.result.err;
    state.CustomWeight = ReadWeightFile(w.dir.File("w.txt"));
    TryNormalisePeak(state.CustomWeight);
    state.CustomFunctionSet = true;
    NeedleSettings s;
    s.Weight = kCustomEntry;
    s.Divisor = NeedleDivisor::Integral;
    s.Absolute = true;
    s.P1 = 50;
    s.P2 = 200;
    const AnalysisResult expected = RunNeedle(w.cube, state, s);
    EXPECT_EQ(Numbers(custom), Figures(expected.Figures));
    EXPECT_EQ(ReadBmp(w.dir.File("custom.bmp")), expected.Picture);
}

TEST(CliNeedle, MissingReferenceTableOrBadWeightFileExitsOne)
{
    Workspace w;
    std::filesystem::remove(w.dir.File("data/refsp/AllRefSp.dat"));
    w.Run("needle", "", "needle.bmp");
    EXPECT_EQ(w.result.exitCode, 1);
    EXPECT_NE(w.result.err.find("AllRefSp.dat"), std::string::npos) << w.result.err;

    std::ofstream(w.dir.File("zeros.txt")) << "0 0 0";
    w.Run("needle", "--weight-file " + Quote(w.dir.File("zeros.txt")) + " --normalize integral", "needle.bmp");
    EXPECT_EQ(w.result.exitCode, 1);
    EXPECT_NE(w.result.err.find("zeros.txt"), std::string::npos) << w.result.err;
    EXPECT_FALSE(std::filesystem::exists(w.dir.File("needle.bmp")));
}

TEST(CliMask, WritesThePictureTheMaskingPaints)
{
    Workspace w;
    const std::string out = w.Run("mask", "--ndvi-share 30 --brightness b19 --counterweight T2", "mask.bmp");
    ASSERT_EQ(w.result.exitCode, 0) << w.result.err;
    MaskSettings s;
    s.IndexShare = 30;
    s.SpectraShare = 70;
    s.Brightness = MaskBrightness::Band19;
    s.Needle.CounterWeight = 6;
    Bitmap picture;
    const MaskResult expected = RunMask(w.cube, w.State(), s, picture);
    EXPECT_EQ(Numbers(out), std::vector<double>({expected.Min, expected.Max}));
    EXPECT_EQ(out.rfind("{\"min\":", 0), 0u) << out;
    EXPECT_EQ(ReadBmp(w.dir.File("mask.bmp")), picture);
}

TEST(CliMask, EitherAnalysisStoppingStopsTheCommand)
{
    Workspace w;
    w.Run("mask", "--needle-bounds 90,80 --ndvi-bounds 91,90", "mask.bmp");
    EXPECT_EQ(w.result.exitCode, 2);
    EXPECT_EQ(w.result.err, "Nesmyslný rozsah u procent.\n");
    EXPECT_FALSE(std::filesystem::exists(w.dir.File("mask.bmp")));
    for (const char* share : {"33", "0", "100", "x"}) {
        w.Run("mask", std::string("--ndvi-share ") + share, "mask.bmp");
        EXPECT_EQ(w.result.exitCode, 1) << share;
    }
}
