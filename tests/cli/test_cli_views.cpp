// What the batch tool's single-step commands print and write for valid inputs:
// the pictures and lists the program's own routines make of them.
#include <nlohmann/json.hpp>

#include "cli_checks.h"
#include "crowns/crown_reflectance.h"
#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "enhance/equalization.h"
#include "extrema/brightness.h"
#include "extrema/extrema_file.h"
#include "extrema/extrema_search.h"
#include "extrema/filter_matrix.h"
#include "extrema/picture_search.h"
#include "imaging/band_map.h"
#include "imaging/detail.h"
#include "imaging/true_colour.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

std::string SavedExtrema(const TExtremaList& list)
{
    TempDir dir;
    WriteExtremaFile(dir.File("e.txt"), list);
    return ReadAll(dir.File("e.txt"));
}

std::string SavedSpectra(const TData& cube, const TTreeMatrix& trees)
{
    TempDir dir;
    WriteCrownSpectra(dir.File("s.csv"), CrownSpectra(cube, trees), 65);
    return ReadAll(dir.File("s.csv"));
}

std::string Count(const TExtremaList& list) { return "{\"count\":" + std::to_string(list.size()) + "}\n"; }

}  // namespace

TEST(CliViews, EachCommandPrintsAndWritesWhatTheProgramMakesOfItsInput)
{
    TempDir dir;
    const TData cube = PatternCube(10, 20, 30), votes = RandomCube(5, 12, 14, 8, 0, 6);
    const Bitmap picture = PatternPicture(100, 90);
    WriteCutout(dir.File("a.dat"), cube);
    WriteCutout(dir.File("v.dat"), votes);
    const TData full = RandomCube(65, 30, 40, 4);
    WriteCutout(dir.File("c.dat"), full);
    TTreeMatrix trees(40, 30);
    for (std::size_t p = 0; p < trees.Values.size(); ++p) trees.Values[p] = int32_t(p % 3);
    WriteTreeMatrix(dir.File("t.dat"), trees);
    WriteBmp(dir.File("p.bmp"), picture);
    const auto at = [&dir](const std::string& name) { return Expand(dir, " @" + name); };
    const BandMapResult map = MakeBandMap(cube, 2);
    Bitmap detail;
    ASSERT_TRUE(ShowDetail(picture, detail, 50, 60));
    MaximaSettings onBands;
    onBands.Test = ExtremumTest::Neighbourhood;
    onBands.EqualityAllowed = true;
    onBands.Neighbours = 6;
    onBands.Bands = 2;
    const TExtremaList maxima = FindMaxima(votes, onBands), minima = FindMinima(picture, std::nullopt, MinimaSettings{});
    ASSERT_FALSE(maxima.empty() || minima.empty());
    std::vector<int> spectrum;  // column 4, row 2, band 1 first
    for (int band = 0; band < 65; ++band) spectrum.push_back(full.At(band, 1, 3));
    const struct {
        std::string arguments, printed, output, expected;  // no output: printed only
    } rows[] = {
        {"info" + at("a.dat"), "{\"bands\":10,\"rows\":20,\"columns\":30}\n", "", ""},
        {"spectrum" + at("c.dat") + " --column 4 --row 2", nlohmann::json{{"values", spectrum}}.dump() + "\n", "", ""},
        {"bandmap" + at("a.dat") + " --band 2", "{\"maximum\":" + std::to_string(map.Maximum) + "}\n", "o.bmp",
         SavedBytes(map.Picture)},
        {"truecolor" + at("c.dat"), "", "o.bmp", SavedBytes(TrueColourComposite(full))},
        {"crown-spectra" + at("c.dat") + at("t.dat"), "{\"crowns\":2}\n", "o.csv", SavedSpectra(full, trees)},
        {"detail" + at("p.bmp") + " --at 50,60", "", "o.bmp", SavedBytes(detail)},
        {"equalize --window 7" + at("p.bmp"), "", "o.bmp", SavedBytes(Equalize(picture, 7))},
        {"filter" + at("p.bmp"), "", "o.bmp", SavedBytes(FilteredPicture(FilteredBrightness(picture, GaussFilter(7, ','))))},
        {"filter" + at("p.bmp") + " --filter ones:3", "", "o.bmp",
         SavedBytes(FilteredPicture(FilteredBrightness(picture, OnesFilter(3))))},
        {"maxima --cube" + at("v.dat") + " --test neighbourhood --equality allow --neighbours 6 --bands 2", Count(maxima),
         "o.txt", SavedExtrema(maxima)},
        {"minima --picture" + at("p.bmp") + " --no-filter", Count(minima), "o.txt", SavedExtrema(minima)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExpectSuccess(row.arguments + (row.output.empty() ? "" : " -o" + at(row.output))), row.printed)
            << row.arguments;
        EXPECT_TRUE(row.output.empty() || ReadAll(dir.File(row.output)) == row.expected) << row.arguments;
    }
}
