#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/matice.h"

namespace lumera {

// Edge lengths a filter matrix may have.
constexpr int kMinFilterEdge = 3;
constexpr int kMaxFilterEdge = 15;
constexpr int kDefaultFilterEdge = 7;

// The low-pass filter matrix as the user edits it: Edge x Edge cell texts,
// row 0 first, each row from column 0. The texts are converted to numbers
// only when the matrix is used.
struct TFilterCells {
    int Edge = 0;
    std::vector<std::string> Texts;

    const std::string& Cell(int row, int column) const { return Texts[std::size_t(row) * Edge + column]; }
    bool operator==(const TFilterCells&) const = default;
};

// A cell text that is not a number; the message names the text.
class FilterCellError : public std::runtime_error {
public:
    explicit FilterCellError(const std::string& text);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// Why a matrix of this edge cannot be made or used (an even edge, or one
// outside 3 ... 15), or nothing when it can.
std::optional<std::string> EdgeRefusal(int edge);

// "Nastavit": Edge x Edge cells of "1". Throws std::invalid_argument for an
// edge EdgeRefusal refuses.
TFilterCells OnesFilter(int edge);
// "Normovat": every cell divided by the sum of all cells, written back with up
// to 15 significant digits and the given decimal separator. Throws
// FilterCellError for a text that is not a number and std::domain_error for a
// sum of 0 (or one too large for a double); the cells are then unchanged.
TFilterCells NormalizeFilter(const TFilterCells& cells, char decimalSeparator);
// "Gauss": the two-dimensional normal density of one pixel's deviation, then
// "Normovat". Throws std::invalid_argument for an edge EdgeRefusal refuses.
TFilterCells GaussFilter(int edge, char decimalSeparator);

// The weights of the cells, [row][column]; a comma or a point is accepted as
// the decimal separator. Throws FilterCellError naming the first bad text.
TMatice FilterWeights(const TFilterCells& cells);

// Why the matrix cannot filter (an even edge, one outside 3 ... 15, or a cell
// count that does not match the edge), or nothing when it can.
std::optional<std::string> FilterRefusal(const TFilterCells& cells);

// Smooths the matrix in place with the weights as they stand, laid over it
// transposed; the frame of width Edge / 2 keeps its values, and a filter
// larger than the matrix leaves it unchanged. The weights must be square with
// an odd edge (std::invalid_argument otherwise). Every sum is taken in the
// order of ApplyFilterPerPixel, so both give the same bits.
void ApplyFilter(TMatice& matrix, const TMatice& weights);

// The same filter computed literally, one weighted sum per pixel: the
// definition ApplyFilter is checked and measured against.
void ApplyFilterPerPixel(TMatice& matrix, const TMatice& weights);

// The filter file: the edge on the first line, then one cell text a line
// (CR LF). Reading refuses an edge outside 3 ... 15 or an even one and a file
// with fewer cell lines than the edge needs (FileError naming the file).
TFilterCells ReadFilterFile(const std::string& path);
void WriteFilterFile(const std::string& path, const TFilterCells& cells);

}  // namespace lumera
