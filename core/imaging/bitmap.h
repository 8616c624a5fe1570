#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumera {

// A 24-bit picture: Width x Height pixels of three bytes each in the order
// blue, green, red; row 0 is the top row. Rows are stored without padding.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height) { SetSize(width, height); }

    // Resizes to width x height; the pixels become black.
    void SetSize(int width, int height)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        bytes_.assign(std::size_t(width_) * std::size_t(height_) * 3, 0);
    }

    // Paints every pixel in one colour.
    void Fill(uint8_t blue, uint8_t green, uint8_t red)
    {
        for (std::size_t i = 0; i < bytes_.size(); i += 3) {
            bytes_[i] = blue;
            bytes_[i + 1] = green;
            bytes_[i + 2] = red;
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bytes_.empty(); }
    std::size_t RowBytes() const { return std::size_t(width_) * 3; }

    uint8_t* ScanLine(int y) { return bytes_.data() + std::size_t(y) * RowBytes(); }
    const uint8_t* ScanLine(int y) const { return bytes_.data() + std::size_t(y) * RowBytes(); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    bool operator==(const Bitmap& other) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> bytes_;
};

}  // namespace lumera
