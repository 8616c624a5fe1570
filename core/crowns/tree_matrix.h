#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumera {

// Tree numbers per pixel: -1 barrier, 0 no tree, k >= 1 the k-th tree.
struct TTreeMatrix {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<int32_t> Values;  // row 0 first, each row from column 0

    TTreeMatrix() = default;
    TTreeMatrix(int32_t width, int32_t height)
        : Width(width), Height(height), Values(std::size_t(width) * std::size_t(height), 0) {}

    int32_t& At(int x, int y) { return Values[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
    int32_t At(int x, int y) const { return Values[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
};

// A tree matrix covers a picture, so a file is accepted up to the largest
// picture Lumera reads (kMaxPictureSide a side, kMaxPicturePixels in all).

// The tree matrix file: int32 width, int32 height, then the entries row by
// row, all little-endian, no other header.
void WriteTreeMatrix(const std::string& path, const TTreeMatrix& matrix);
// Reads a tree matrix file; the sizes and the file length are checked first.
TTreeMatrix ReadTreeMatrix(const std::string& path);

}  // namespace lumera
