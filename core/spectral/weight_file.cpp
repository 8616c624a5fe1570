#include "spectral/weight_file.h"

#include <charconv>
#include <cmath>

#include "data/file_error.h"
#include "data/small_file.h"

namespace lumera {

namespace {

// A weight file is one line of 1,472 characters; anything near this limit is
// not one.
constexpr std::size_t kMaxWeightFileBytes = 1 << 16;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool ParseNumber(const std::string& token, double& value)
{
    const char* p = token.data();
    const char* end = p + token.size();
    if (p < end && *p == '+') ++p;
    const auto [next, error] = std::from_chars(p, end, value);
    return error == std::errc() && next == end && std::isfinite(value);
}

}  // namespace

SpectralVector ReadWeightFile(const std::string& path)
{
    const std::string text = ReadSmallFile(path, kMaxWeightFileBytes);
    SpectralVector weights(kSpectralBands, 0.0);
    std::size_t pos = 0;
    for (int i = 0; i < kSpectralBands; ++i) {
        while (pos < text.size() && IsSeparator(text[pos])) ++pos;
        if (pos == text.size()) break;
        const std::size_t start = pos;
        while (pos < text.size() && !IsSeparator(text[pos])) ++pos;
        const std::string token = text.substr(start, pos - start);
        if (!ParseNumber(token, weights[WeightFileElement(i)]))
            throw FileError("Soubor " + path + ": " + std::to_string(i + 1) + ". hodnota \"" + token.substr(0, 40) +
                            "\" není číslo.");
    }
    return weights;
}

}  // namespace lumera
