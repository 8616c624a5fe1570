#include "analysis/reference_files.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "data/file_error.h"
#include "data/program_paths.h"
#include "data/small_file.h"
#include "analysis/numerics.h"
#include "analysis/band_vector.h"

namespace lumera {

namespace {

constexpr std::size_t kTableValues = std::size_t(kReferenceSpectra) * kSpectralBands;
constexpr std::size_t kTableBytes = kTableValues * 8;
// Far more than 601 lines of numbers ever take.
constexpr std::size_t kMaxTextBytes = 1 << 20;

double DecodeDouble(const unsigned char* p)
{
    uint64_t bits = 0;
    for (int b = 7; b >= 0; --b) bits = (bits << 8) | p[b];
    return std::bit_cast<double>(bits);
}

std::string FileLabel(const std::string& path) { return "Soubor " + path; }

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().find_first_not_of(" \t\r") == std::string::npos) lines.pop_back();
    return lines;
}

// The first number of a line; false when the line does not start with one.
bool FirstNumber(const std::string& line, double& value)
{
    const char* p = line.c_str();
    const char* end = p + line.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p < end && *p == '+') ++p;
    const auto [next, error] = std::from_chars(p, end, value);
    return error == std::errc() && next != p && std::isfinite(value);
}

}  // namespace

std::vector<SpectralVector> ReadReferenceTable(const std::string& path)
{
    const std::string bytes = ReadFileStart(path, kTableBytes);
    if (bytes.size() < kTableBytes)
        throw FileError(FileLabel(path) + " je příliš krátký: " + std::to_string(bytes.size()) +
                        " bajtů, tabulka referenčních spekter potřebuje " + std::to_string(kTableBytes) + ".");
    std::vector<SpectralVector> table(kReferenceSpectra, SpectralVector(kSpectralBands));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (int s = 0; s < kReferenceSpectra; ++s)
        for (int k = 0; k < kSpectralBands; ++k) {
            const double v = DecodeDouble(p + 8 * (std::size_t(kSpectralBands) * s + k));
            if (!std::isfinite(v))
                throw FileError(FileLabel(path) + ": hodnota " + std::to_string(k + 1) + " spektra " +
                                kReferenceNames[s] + " není konečné číslo.");
            table[s][k] = v;
        }
    return table;
}

std::vector<double> ReadReferenceText(const std::string& path)
{
    const std::vector<std::string> lines = SplitLines(ReadSmallFile(path, kMaxTextBytes));
    if (lines.size() != std::size_t(kReferenceTextLines))
        throw FileError(FileLabel(path) + " má " + std::to_string(lines.size()) + " řádků, referenční spektrum jich musí mít " +
                        std::to_string(kReferenceTextLines) + " (400 až 1000 nm po 1 nm).");
    std::vector<double> values(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k)
        if (!FirstNumber(lines[k], values[k]))
            throw FileError(FileLabel(path) + ": řádek " + std::to_string(k + 1) + " nezačíná číslem.");
    return values;
}

double QuantiseReferenceValue(double value)
{
    // std::nearbyint rounds ties to even; the result stays a double because
    // the spline works in doubles.
    return std::nearbyint(value * 10000);
}

SpectralVector ResampleReference(const std::vector<double>& values, const SpectralVector& axis,
                                 Reporter& reporter)
{
    std::vector<SplinePoint> samples(values.size());
    for (std::size_t k = 0; k < values.size(); ++k) samples[k] = {400.0 + double(k), QuantiseReferenceValue(values[k])};
    std::vector<SplinePoint> queries(axis.size());
    for (std::size_t i = 0; i < axis.size(); ++i) queries[i] = {1000 * axis[i], 1.0};
    EvaluateSpline(samples, queries, reporter);
    SpectralVector spectrum(queries.size());
    for (std::size_t i = 0; i < queries.size(); ++i) spectrum[i] = queries[i].Y;
    NormalisePeak(spectrum, reporter);
    return spectrum;
}

void LoadCurrentReference(SpectralState& state, const std::string& programDir, Reporter& reporter)
{
    const std::string path = ProgramPath(programDir, std::string(kReferenceFolder) + state.ReferenceFileName);
    const std::vector<double> values = ReadReferenceText(path);
    state.CurrentReference = ResampleReference(values, state.Axis, reporter);
}

void LoadReferenceTable(SpectralState& state, const std::string& programDir)
{
    state.ReferenceTable = ReadReferenceTable(ProgramPath(programDir, std::string(kReferenceFolder) + kReferenceTableFile));
}

}  // namespace lumera
