#include "analysis/weight_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "data/atomic_file.h"
#include "data/file_error.h"
#include "data/number_format.h"
#include "data/small_file.h"

namespace lumera {

namespace {

// A weight file is one line of 1,472 characters; anything near this limit is
// not one.
constexpr std::size_t kMaxWeightFileBytes = 1 << 16;
constexpr std::size_t kFixedFileLength = std::size_t(kSpectralBands) * kWeightFieldWidth;

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the field matches FormatWeightField character by character.
bool IsWrittenField(std::string_view field)
{
    static constexpr std::string_view kPattern = "sd.ddddddddddddddEsdddd";
    for (std::size_t k = 0; k < kPattern.size(); ++k) {
        const char c = field[k];
        const bool fits = kPattern[k] == 'd' ? IsDigit(c)
                          : kPattern[k] == 's' ? (k == 0 ? c == ' ' || c == '-' : c == '+' || c == '-')
                                               : c == kPattern[k];
        if (!fits) return false;
    }
    return true;
}

// True when the text starts with 64 written fields that end the file or are
// followed by a separator.
bool IsFixedWidthFile(const std::string& text)
{
    if (text.size() < kFixedFileLength) return false;
    if (text.size() > kFixedFileLength && !IsSeparator(text[kFixedFileLength])) return false;
    for (std::size_t start = 0; start < kFixedFileLength; start += kWeightFieldWidth)
        if (!IsWrittenField(std::string_view(text).substr(start, kWeightFieldWidth))) return false;
    return true;
}

[[noreturn]] void RefuseNumber(const std::string& path, int i, const std::string& token)
{
    throw FileError("Soubor " + path + ": " + std::to_string(i + 1) + ". hodnota \"" + token.substr(0, 40) +
                    "\" není číslo.");
}

SpectralVector ReadFixedFields(const std::string& text, const std::string& path)
{
    SpectralVector weights(kSpectralBands, 0.0);
    for (int i = 0; i < kSpectralBands; ++i) {
        const std::string field = text.substr(std::size_t(i) * kWeightFieldWidth, kWeightFieldWidth);
        if (!ParseNumber(field, '.', weights[WeightFileElement(i)])) RefuseNumber(path, i, field);
    }
    return weights;
}

SpectralVector ReadSeparatedNumbers(const std::string& text, const std::string& path)
{
    SpectralVector weights(kSpectralBands, 0.0);
    std::size_t pos = 0;
    for (int i = 0; i < kSpectralBands; ++i) {
        while (pos < text.size() && IsSeparator(text[pos])) ++pos;
        if (pos == text.size()) break;
        const std::size_t start = pos;
        while (pos < text.size() && !IsSeparator(text[pos])) ++pos;
        const std::string token = text.substr(start, pos - start);
        if (!ParseNumber(token, '.', weights[WeightFileElement(i)])) RefuseNumber(path, i, token);
    }
    return weights;
}

}  // namespace

std::string FormatWeightField(double value)
{
    if (value == 0.0) value = 0.0;  // no "-0"
    // to_chars ignores the C locale, so the decimal point stays a full stop.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    const char* e = std::find(buffer, end, 'e');  // "-1.00000000000000e+00"
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    char field[kWeightFieldWidth + 8];
    std::snprintf(field, sizeof field, "%*.*sE%c%04d", int(kWeightFieldWidth - 6), int(e - buffer), buffer,
                  exponent < 0 ? '-' : '+', std::abs(exponent) % 10000);
    return field;
}

void WriteWeightFile(const std::string& path, const SpectralVector& weights)
{
    std::string line;
    for (int i = 0; i < kSpectralBands; ++i) line += FormatWeightField(weights[WeightFileElement(i)]);
    WriteFileAtomically(path, [&line](std::ostream& out) { out << line; });
}

SpectralVector ReadWeightFile(const std::string& path)
{
    const std::string text = ReadSmallFile(path, kMaxWeightFileBytes);
    return IsFixedWidthFile(text) ? ReadFixedFields(text, path) : ReadSeparatedNumbers(text, path);
}

}  // namespace lumera
