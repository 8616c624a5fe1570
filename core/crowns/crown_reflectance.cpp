#include "crowns/crown_reflectance.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "data/atomic_file.h"
#include "analysis/band_mean.h"

namespace lumera {

namespace {

// Each crown's pixels (indices in row order), by rising tree number.
std::map<int32_t, std::vector<std::size_t>> CrownPixels(const TTreeMatrix& trees)
{
    std::map<int32_t, std::vector<std::size_t>> crowns;
    for (std::size_t p = 0; p < trees.Values.size(); ++p)
        if (trees.Values[p] >= 1) crowns[trees.Values[p]].push_back(p);
    return crowns;
}

// Bands [first, first + Bands) of the statistics. Their sums over the pixels
// advance side by side, each in the pixels' order, so that one band's
// additions need not wait for the one before. The sum of counts is a whole
// number, exact in a double as in an integer.
template <int Bands>
void BandBlock(const TData& cube, const std::vector<std::size_t>& pixels, int first, BandStatistics& s)
{
    const int16_t* planes[Bands];
    for (int i = 0; i < Bands; ++i) planes[i] = cube.Plane(first + i);
    int64_t sums[Bands] = {};
    for (std::size_t p : pixels)
        for (int i = 0; i < Bands; ++i) sums[i] += planes[i][p];
    const double n = double(pixels.size());
    double means[Bands], squares[Bands] = {};
    for (int i = 0; i < Bands; ++i) means[i] = double(sums[i]) / n;
    for (std::size_t p : pixels)
        for (int i = 0; i < Bands; ++i) squares[i] += (planes[i][p] - means[i]) * (planes[i][p] - means[i]);
    for (int i = 0; i < Bands; ++i) {
        s.Mean[std::size_t(first + i)] = means[i];
        s.Sd[std::size_t(first + i)] = std::sqrt(squares[i] / n);
    }
}

BandStatistics Statistics(const TData& cube, const std::vector<std::size_t>& pixels)
{
    constexpr int kTogether = 8;
    BandStatistics s;
    s.Pixels = int64_t(pixels.size());
    s.Mean.resize(std::size_t(cube.NBands));
    s.Sd.resize(std::size_t(cube.NBands));
    int first = 0;
    for (; first + kTogether <= cube.NBands; first += kTogether) BandBlock<kTogether>(cube, pixels, first, s);
    for (; first < cube.NBands; ++first) BandBlock<1>(cube, pixels, first, s);
    return s;
}

// The (n + 1) / 2 pixels brightest in the near infrared, back in row order.
std::vector<std::size_t> SunlitHalf(std::vector<std::size_t> pixels, const std::vector<double>& nir)
{
    // Ties go to the earlier pixel: the order is total, so the half is one set.
    const auto brighter = [&](std::size_t a, std::size_t b) { return nir[a] > nir[b] || (nir[a] == nir[b] && a < b); };
    const std::size_t half = (pixels.size() + 1) / 2;
    std::nth_element(pixels.begin(), pixels.begin() + std::ptrdiff_t(half) - 1, pixels.end(), brighter);
    pixels.resize(half);
    std::sort(pixels.begin(), pixels.end());
    return pixels;
}

// A row is put together in one text and written at once: a crown's 65
// values are most of the file, and the stream would take them one by one.
void WriteRow(std::ostream& out, int32_t tree, const char* statistic, int64_t pixels, const std::vector<double>& values)
{
    std::string row = std::to_string(tree) + ',' + statistic + ',' + std::to_string(pixels);
    char number[32];
    for (double v : values) {
        row += ',';
        row.append(number, std::to_chars(number, number + sizeof number, v, std::chars_format::general, 17).ptr);
    }
    row += '\n';
    out << row;
}

// A column heading from a band centre, rounded from whole ten-thousandths of
// a micrometre (ties to even): no centre has finer digits, and so the heading
// cannot depend on how its decimals fall in binary.
std::string Micrometres(double centre)
{
    const long long tenThousandths = std::llround(centre * 10000.0);
    long long thousandths = tenThousandths / 10;
    const long long rest = tenThousandths % 10;
    if (rest > 5 || (rest == 5 && thousandths % 2 == 1)) ++thousandths;
    const std::string digits = std::to_string(thousandths % 1000);
    return std::to_string(thousandths / 1000) + "." + std::string(3 - digits.size(), '0') + digits;
}

}  // namespace

std::vector<double> CrownMeanSpectrum(const TData& cube, const TTreeMatrix& trees, int32_t tree)
{
    std::vector<std::size_t> pixels;
    for (std::size_t p = 0; p < trees.Values.size(); ++p)
        if (trees.Values[p] == tree) pixels.push_back(p);
    if (pixels.empty()) return {};
    return Statistics(cube, pixels).Mean;
}

std::optional<std::string> CrownSpectraRefusal(const TData& cube, const TTreeMatrix& trees)
{
    if (cube.NBands < kCrownSpectraBands)
        return "Spektra korun potřebují alespoň " + std::to_string(kCrownSpectraBands) + " bandů, výřez jich má " +
               std::to_string(cube.NBands) + ".";
    if (trees.Width != cube.NColumns || trees.Height != cube.NRows)
        return "Matice stromů má rozměry " + std::to_string(trees.Width) + " x " + std::to_string(trees.Height) +
               ", výřez " + std::to_string(cube.NColumns) + " x " + std::to_string(cube.NRows) + ".";
    return std::nullopt;
}

std::vector<CrownSpectrum> CrownSpectra(const TData& cube, const TTreeMatrix& trees)
{
    const std::vector<double> nir = BandMean(cube, 41, 43);
    std::vector<CrownSpectrum> spectra;
    for (const auto& [tree, pixels] : CrownPixels(trees))
        spectra.push_back({tree, Statistics(cube, pixels), Statistics(cube, SunlitHalf(pixels, nir))});
    return spectra;
}

void WriteCrownSpectra(const std::string& path, const std::vector<CrownSpectrum>& spectra, int bandCount)
{
    const TBandTable bands = InitBandTable();
    WriteFileAtomically(path, [&](std::ostream& out) {
        out << "tree,statistic,pixels";
        for (int b = 0; b < bandCount; ++b) out << ',' << Micrometres(bands[std::size_t(b)].Center);
        out << '\n';
        for (const CrownSpectrum& c : spectra) {
            WriteRow(out, c.Tree, "mean", c.All.Pixels, c.All.Mean);
            WriteRow(out, c.Tree, "sd", c.All.Pixels, c.All.Sd);
            WriteRow(out, c.Tree, "sunlit_mean", c.Sunlit.Pixels, c.Sunlit.Mean);
            WriteRow(out, c.Tree, "sunlit_sd", c.Sunlit.Pixels, c.Sunlit.Sd);
        }
    });
}

}  // namespace lumera
