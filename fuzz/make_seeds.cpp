// Writes small valid files of every kind with the program's own writers, as
// the starting corpus of the fuzz targets: fuzz_seeds OUTDIR PROGRAM_DIR.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "imaging/bmp_file.h"
#include "scene_input.h"
#include "analysis/weight_file.h"

using namespace lumera;
namespace fs = std::filesystem;

namespace {

TData SmallCube(int bands, int rows, int columns)
{
    TData cube{bands, rows, columns, {}};
    cube.Values.assign(std::size_t(bands) * rows * columns, 0);
    for (std::size_t i = 0; i < cube.Values.size(); ++i) cube.Values[i] = int16_t(i * 37 % 5000 - 100);
    return cube;
}

Bitmap SmallPicture(int width, int height)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 3 * width; ++x) picture.ScanLine(y)[x] = uint8_t(x * 7 + y * 13);
    return picture;
}

// ENVI scenes as the scene target takes them: the header, the separator, the
// raw values (2 x 2 pixels of 12 bands from 380 nm in 50 nm steps).
void WriteSceneSeeds(const fs::path& dir)
{
    std::string header = "ENVI\nsamples = 2\nlines = 2\nbands = 12\nheader offset = 0\nfile type = ENVI Standard\n"
                         "interleave = bsq\nbyte order = 0\n";
    std::string wavelengths = "wavelength units = Nanometers\nwavelength = {";
    for (int band = 0; band < 12; ++band) wavelengths += (band ? "," : "") + std::to_string(380 + 50 * band);
    wavelengths += "}\n";
    std::string floats(12 * 4 * sizeof(float), '\0'), counts(12 * 4 * sizeof(int16_t), '\0');
    for (int i = 0; i < 48; ++i) {
        const float f = 0.01f * float(i);
        const auto c = int16_t(100 * i);
        std::memcpy(floats.data() + 4 * i, &f, 4);
        std::memcpy(counts.data() + 2 * i, &c, 2);
    }
    const std::string separator(fuzzing::kSceneSeparator);
    std::ofstream(dir / "float.envi", std::ios::binary)
        << header << "data type = 4\n" << wavelengths << separator << floats;
    std::ofstream(dir / "counts.envi", std::ios::binary)
        << header << "data type = 2\n" << wavelengths << separator << counts;
    std::ofstream(dir / "no-wavelengths.envi", std::ios::binary) << header << "data type = 2\n" << separator << counts;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: fuzz_seeds OUTDIR PROGRAM_DIR\n";
        return 1;
    }
    const fs::path out(argv[1]), refsp = fs::path(argv[2]) / "data" / "refsp";
    for (const char* kind : {"bmp", "cutout", "tree_matrix", "reference_table", "reference_text", "weight_file",
                             "extrema_file", "filter_file", "wavelength_file", "world_file", "scene"})
        fs::create_directories(out / kind);
    WriteBmp((out / "bmp" / "small.bmp").string(), SmallPicture(5, 3));
    WriteBmp((out / "bmp" / "square.bmp").string(), SmallPicture(8, 8));
    WriteCutout((out / "cutout" / "small.dat").string(), SmallCube(3, 2, 4));
    WriteCutout((out / "cutout" / "full-spectrum.dat").string(), SmallCube(65, 2, 2));
    TTreeMatrix trees(3, 2);
    trees.Values = {1, 1, -1, 0, 2, 2};
    WriteTreeMatrix((out / "tree_matrix" / "small.dat").string(), trees);
    fs::copy_file(refsp / "AllRefSp.dat", out / "reference_table" / "AllRefSp.dat", fs::copy_options::overwrite_existing);
    fs::copy_file(refsp / "RefSpE34.txt", out / "reference_text" / "RefSpE34.txt", fs::copy_options::overwrite_existing);
    WriteWeightFile((out / "weight_file" / "ones.txt").string(), SpectralVector(kSpectralBands, 1.0));
    WriteExtremaFile((out / "extrema_file" / "tops.txt").string(), {{1, 2}, {30, 4}, {7, 7}});
    WriteFilterFile((out / "filter_file" / "gauss5.txt").string(), GaussFilter(5, '.'));
    std::ofstream(out / "wavelength_file" / "nm.txt") << "nm\n400\n410.5\n420\n";
    std::ofstream(out / "wavelength_file" / "guessed.txt") << "0.4\n0.5\n0.6\n";
    std::ofstream(out / "world_file" / "utm.wld") << "0.1\n0\n0\n-0.1\n600000.05\n5399999.95\n";
    WriteSceneSeeds(out / "scene");
    return 0;
}
