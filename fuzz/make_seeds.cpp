// Writes small valid files of every kind with the program's own writers, as
// the starting corpus of the fuzz targets: fuzz_seeds OUTDIR PROGRAM_DIR.
#include <filesystem>
#include <iostream>

#include "crowns/tree_matrix.h"
#include "data/cutout_file.h"
#include "extrema/extrema_file.h"
#include "extrema/filter_matrix.h"
#include "imaging/bmp_file.h"
#include "spectral/weight_file.h"

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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: fuzz_seeds OUTDIR PROGRAM_DIR\n";
        return 1;
    }
    const fs::path out(argv[1]), refsp = fs::path(argv[2]) / "data" / "refsp";
    for (const char* kind : {"bmp", "cutout", "tree_matrix", "reference_table", "reference_text", "weight_file", "extrema_file", "filter_file"})
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
    return 0;
}
