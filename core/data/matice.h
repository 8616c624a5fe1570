#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumera {

// A matrix of doubles indexed [row][column], stored row by row: brightness
// matrices, filtered pictures and filter weights.
struct TMatice {
    int32_t Width = 0;   // columns
    int32_t Height = 0;  // rows
    std::vector<double> Values;

    TMatice() = default;
    TMatice(int32_t width, int32_t height, double value = 0.0)
        : Width(width), Height(height), Values(std::size_t(width) * std::size_t(height), value) {}

    double* Row(int y) { return Values.data() + std::size_t(y) * std::size_t(Width); }
    const double* Row(int y) const { return Values.data() + std::size_t(y) * std::size_t(Width); }
    double& At(int x, int y) { return Row(y)[x]; }
    double At(int x, int y) const { return Row(y)[x]; }

    bool operator==(const TMatice&) const = default;
};

}  // namespace lumera
