#include "crowns/tree_table.h"

#include <charconv>
#include <map>
#include <stdexcept>

#include "data/atomic_file.h"

namespace lumera {

namespace {

std::string Shortest(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

std::vector<double> MeanPerTree(const TTreeMatrix& trees, const std::vector<double>& grid)
{
    if (grid.size() != trees.Values.size()) throw std::invalid_argument("grid and tree matrix differ in size");
    struct Sum {
        double total = 0.0;
        int64_t count = 0;
    };
    std::map<int32_t, Sum> byTree;
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (trees.Values[i] >= 1) {
            Sum& s = byTree[trees.Values[i]];
            s.total += grid[i];
            ++s.count;
        }
    std::vector<double> means;
    means.reserve(byTree.size());
    for (const auto& [tree, s] : byTree) means.push_back(s.total / double(s.count));
    return means;
}

std::string TreeTableCsv(const std::vector<TTreeRow>& rows)
{
    std::string csv = "tree,seed_x,seed_y,pixels,centroid_x,centroid_y,min_x,min_y,max_x,max_y,mean_brightness,mean_ndvi\n";
    for (const TTreeRow& row : rows) {
        const TTreeFigures& f = row.Figures;
        for (const std::string& cell :
             {std::to_string(f.Tree), std::to_string(f.SeedX), std::to_string(f.SeedY), std::to_string(f.Pixels),
              Shortest(f.CentroidX), Shortest(f.CentroidY), std::to_string(f.MinX), std::to_string(f.MinY),
              std::to_string(f.MaxX), std::to_string(f.MaxY), Shortest(row.MeanBrightness)})
            csv += cell + ',';
        csv += Shortest(row.MeanNdvi) + '\n';
    }
    return csv;
}

void WriteTreeTable(const std::string& path, const std::vector<TTreeRow>& rows)
{
    const std::string csv = TreeTableCsv(rows);
    WriteFileAtomically(path, [&csv](std::ostream& out) { out << csv; });
}

}  // namespace lumera
