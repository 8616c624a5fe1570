#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "data/file_error.h"
#include "spectral/spectral_library.h"
#include "temp_dir.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

SpectralLibrary Library(const std::string& csv)
{
    TempDir dir;
    std::ofstream(dir.File("lib.csv"), std::ios::binary) << csv;
    return ReadSpectralLibrary(dir.File("lib.csv"));
}

}  // namespace

TEST(SpectralLibrary, ReadsQuotedNamesAndMissingValues)
{
    const SpectralLibrary lib =
        Library("wavelength_um,fwhm_um,\"a: x, y\",\"b: z\"\r\n0.4,0.01,0.1,\r\n0.5,0.01,0.3,0.7\r\n");
    ASSERT_EQ(lib.Names, std::vector<std::string>({"a: x, y", "b: z"}));
    EXPECT_EQ(lib.Wavelengths, std::vector<double>({0.4, 0.5}));
    EXPECT_TRUE(std::isnan(lib.Columns[1][0]));
    EXPECT_EQ(LibraryColumn(lib, "b: z"), 1);
    EXPECT_THROW(LibraryColumn(lib, "c"), std::invalid_argument);
    // Missing values are left out of the channels.
    const auto b = AscendingChannels(lib, 1);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].Wavelength, 0.5);
}

TEST(SpectralLibrary, LaterDetectorCountsInTheOverlap)
{
    const SpectralLibrary lib = Library(
        "wavelength_um,fwhm_um,s\n0.60,0,1\n0.65,0,2\n0.70,0,3\n0.66,0,20\n0.69,0,30\n0.72,0,40\n");
    const auto points = AscendingChannels(lib, 0);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[1].Value, 2);   // 0.65 is below the new detector's start
    EXPECT_EQ(points[2].Value, 20);  // 0.70 of the first detector is dropped
    EXPECT_EQ(InterpolateLinear(points, 0.625), 1.5);
    EXPECT_EQ(InterpolateLinear(points, 0.72), 40);
    EXPECT_THROW(InterpolateLinear(points, 0.73), std::out_of_range);
}

TEST(SpectralLibrary, MalformedTableIsRefused)
{
    EXPECT_THROW(Library("x,y\n1,2\n"), FileError);
    EXPECT_THROW(Library("wavelength_um,fwhm_um,s\n0.4,0,abc\n"), FileError);
    EXPECT_THROW(Library("wavelength_um,fwhm_um,s\n0.4,0\n"), FileError);
}
