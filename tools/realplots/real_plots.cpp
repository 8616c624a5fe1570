#include "real_plots.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "imaging/bmp_file.h"

namespace lumera::realplots {

namespace {

std::vector<std::string> SplitCsvLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field);
    return fields;
}

std::vector<std::vector<std::string>> ReadCsvRows(const std::string& path)
{
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line))
        if (!line.empty()) rows.push_back(SplitCsvLine(line));
    return rows;
}

uint8_t ToByte(double v) { return uint8_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

double Percentile(std::vector<double> sorted, double q)
{
    std::sort(sorted.begin(), sorted.end());
    const double at = q / 100.0 * double(sorted.size() - 1);
    const std::size_t below = std::size_t(at);
    if (below + 1 >= sorted.size()) return sorted.back();
    return sorted[below] + (at - double(below)) * (sorted[below + 1] - sorted[below]);
}

}  // namespace

std::vector<PlotCase> ReadCases(const std::string& folder)
{
    std::vector<PlotCase> cases;
    for (const auto& row : ReadCsvRows(folder + "/cases.csv"))
        cases.push_back({row.at(0), row.at(2), std::stod(row.at(5))});
    return cases;
}

// Per block of block x block pixels, each channel's mean (blue, green, red).
std::vector<std::array<double, 3>> ChannelBlockMeans(const Bitmap& picture, int block)
{
    const int width = picture.Width() / block, height = picture.Height() / block;
    std::vector<std::array<double, 3>> means(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < block; ++dy)
                    for (int dx = 0; dx < block; ++dx)
                        sum += picture.ScanLine(block * y + dy)[3 * (block * x + dx) + c];
                means[std::size_t(y) * std::size_t(width) + std::size_t(x)][std::size_t(c)] =
                    double(sum) / double(block * block);
            }
    return means;
}

Bitmap BlockMeans4(const Bitmap& picture)
{
    const std::vector<std::array<double, 3>> means = ChannelBlockMeans(picture, 4);
    Bitmap out(picture.Width() / 4, picture.Height() / 4);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                out.ScanLine(y)[3 * x + c] = ToByte(means[std::size_t(y * out.Width() + x)][std::size_t(c)]);
    return out;
}

Bitmap StretchedGrey(const Bitmap& fine, int block)
{
    std::vector<double> grey;
    for (const auto& [blue, green, red] : ChannelBlockMeans(fine, block)) grey.push_back((red + green + blue) / 3.0);
    const double lo = Percentile(grey, 0.5), hi = Percentile(grey, 99.5);
    Bitmap out(fine.Width() / block, fine.Height() / block);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            std::fill_n(out.ScanLine(y) + 3 * x, 3,
                        ToByte((grey[std::size_t(y * out.Width() + x)] - lo) / (hi - lo) * 255.0));
    return out;
}

TTreeMatrix TruthFromBoxes(const std::string& boxesCsv, int width, int height)
{
    TTreeMatrix truth(width, height);
    std::vector<int64_t> owner(truth.Values.size(), INT64_MAX);
    for (const auto& row : ReadCsvRows(boxesCsv)) {
        const int tree = std::stoi(row.at(0));
        const int x0 = std::max(0, std::stoi(row.at(2))), y0 = std::max(0, std::stoi(row.at(3)));
        const int x1 = std::min(width - 1, std::stoi(row.at(4))), y1 = std::min(height - 1, std::stoi(row.at(5)));
        const int64_t area = std::stoll(row.at(6));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const std::size_t p = std::size_t(y) * std::size_t(width) + std::size_t(x);
                if (area < owner[p]) {
                    owner[p] = area;
                    truth.Values[p] = tree;
                }
            }
    }
    return truth;
}

namespace {

bool Coarse(const PlotCase& plot) { return plot.Name.ends_with("_40cm"); }

Bitmap FinePicture(const std::string& folder, const PlotCase& plot)
{
    const std::string fine = Coarse(plot) ? plot.Name.substr(0, plot.Name.size() - 5) : plot.Name;
    return ReadBmp(folder + "/colour/" + fine + ".bmp");
}

}  // namespace

Bitmap ColourPicture(const std::string& folder, const PlotCase& plot)
{
    const Bitmap picture = FinePicture(folder, plot);
    return Coarse(plot) ? BlockMeans4(picture) : picture;
}

Bitmap GreyPicture(const std::string& folder, const PlotCase& plot)
{
    return StretchedGrey(FinePicture(folder, plot), Coarse(plot) ? 4 : 1);
}

}  // namespace lumera::realplots
