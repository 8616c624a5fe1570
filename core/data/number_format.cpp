#include "data/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lumera {

namespace {

// "1.5e-05" -> "1.5E-5", "1e+20" -> "1E20": exponent without plus sign or
// leading zeros.
std::string TidyExponent(const std::string& text)
{
    const auto e = text.find('e');
    if (e == std::string::npos) return text;
    const int exponent = std::atoi(text.c_str() + e + 1);
    return text.substr(0, e) + "E" + std::to_string(exponent);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string FormatNumber(double value, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) value = 0.0;  // no "-0"
    // to_chars ignores the C locale, which the windowing toolkit sets to the user's.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text = TidyExponent(std::string(buffer, end));
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

std::optional<double> ParseNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    std::string digits(text.substr(first, last + 1 - first));
    for (char& c : digits)
        if (c == ',') c = '.';
    const char* p = digits.c_str();
    const char* end = p + digits.size();
    if (*p == '+' && end - p > 1 && p[1] != '-') ++p;
    double value = 0.0;
    const auto [next, error] = std::from_chars(p, end, value);
    if (error != std::errc() || next != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool ParseNumber(const std::string& text, char decimalSeparator, double& value)
{
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    std::string number = text.substr(first, last - first);
    if (number.find('.') != std::string::npos && decimalSeparator != '.') return false;
    for (char& c : number)
        if (c == decimalSeparator) c = '.';
    const char* p = number.data();
    const char* end = p + number.size();
    if (p < end && *p == '+' && ++p < end && *p == '-') return false;
    const auto [next, error] = std::from_chars(p, end, value);
    return p < end && error == std::errc() && next == end && std::isfinite(value);
}

}  // namespace lumera
