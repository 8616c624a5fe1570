#pragma once
#include <string>
#include <vector>

#include "crowns/tree_figures.h"

namespace lumera {

// The mean of a per-pixel grid (the matrix's size, row by row) over each
// tree's pixels, one entry per tree number present, ascending as MeasureTrees
// lists them; the pixels are summed row by row. Throws std::invalid_argument
// for a grid of another size.
std::vector<double> MeanPerTree(const TTreeMatrix& trees, const std::vector<double>& grid);

// One row of the per-tree table.
struct TTreeRow {
    TTreeFigures Figures;
    double MeanBrightness = 0.0;
    double MeanNdvi = 0.0;
};

// The per-tree table as CSV: a header row, then one row per tree, numbers in
// the shortest form that reads back the same double.
std::string TreeTableCsv(const std::vector<TTreeRow>& rows);

// Writes the table completely or not at all (FileError naming the file).
void WriteTreeTable(const std::string& path, const std::vector<TTreeRow>& rows);

}  // namespace lumera
