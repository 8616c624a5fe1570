#include "analysis/reference_library.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "data/file_error.h"
#include "data/small_file.h"

namespace lumera {

namespace {

constexpr std::size_t kMaxLibraryBytes = 16 << 20;

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) fields.emplace_back();
        else if (c != '\r') fields.back().push_back(c);
    }
    return fields;
}

std::vector<std::vector<std::string>> SplitRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find_first_not_of("\r ") != std::string::npos) rows.push_back(SplitFields(line));
        start = end + 1;
    }
    return rows;
}

double ParseField(const std::string& field, bool& ok)
{
    if (field.empty()) return std::numeric_limits<double>::quiet_NaN();
    double value = 0.0;
    const auto [next, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    ok = error == std::errc() && next == field.data() + field.size() && std::isfinite(value);
    return value;
}

}  // namespace

SpectralLibrary ReadSpectralLibrary(const std::string& path)
{
    return ParseSpectralLibrary(ReadSmallFile(path, kMaxLibraryBytes), path);
}

SpectralLibrary ParseSpectralLibrary(const std::string& text, const std::string& path)
{
    const auto rows = SplitRows(text);
    if (rows.size() < 2 || rows[0].size() < 3 || rows[0][0] != "wavelength_um")
        throw FileError("Soubor " + path + " není tabulka spektrální knihovny (chybí záhlaví wavelength_um, fwhm_um, spektra).");
    SpectralLibrary library;
    library.Names.assign(rows[0].begin() + 2, rows[0].end());
    library.Columns.resize(library.Names.size());
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        bool ok = row.size() == rows[0].size() && !row[0].empty();
        const double wavelength = ok ? ParseField(row[0], ok) : 0.0;
        for (std::size_t s = 0; ok && s < library.Names.size(); ++s) library.Columns[s].push_back(ParseField(row[s + 2], ok));
        if (!ok) throw FileError("Soubor " + path + ": řádek " + std::to_string(r + 1) + " není úplný řádek čísel.");
        library.Wavelengths.push_back(wavelength);
    }
    return library;
}

std::vector<LibraryPoint> AscendingChannels(const SpectralLibrary& library, int column)
{
    std::vector<LibraryPoint> points;
    for (std::size_t c = 0; c < library.Wavelengths.size(); ++c) {
        const double value = library.Columns[column][c];
        if (std::isnan(value)) continue;
        const double wavelength = library.Wavelengths[c];
        while (!points.empty() && points.back().Wavelength >= wavelength) points.pop_back();
        points.push_back({wavelength, value});
    }
    return points;
}

double InterpolateLinear(const std::vector<LibraryPoint>& points, double wavelength)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        const LibraryPoint& a = points[i - 1];
        const LibraryPoint& b = points[i];
        if (wavelength < a.Wavelength || wavelength > b.Wavelength) continue;
        return a.Value + (b.Value - a.Value) * (wavelength - a.Wavelength) / (b.Wavelength - a.Wavelength);
    }
    throw std::out_of_range("Vlnová délka " + std::to_string(wavelength) + " µm leží mimo kanály spektra.");
}

int LibraryColumn(const SpectralLibrary& library, const std::string& name)
{
    for (std::size_t s = 0; s < library.Names.size(); ++s)
        if (library.Names[s] == name) return int(s);
    throw std::invalid_argument("Spektrální knihovna nemá spektrum \"" + name + "\".");
}

}  // namespace lumera
