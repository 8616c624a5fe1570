#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lumera {

// A number as the program shows it: the shortest general decimal form with up
// to 15 significant digits ("1234", "-12", "0,3917", "1E-5") and the given
// decimal separator.
std::string FormatNumber(double value, char decimalSeparator = '.');

// A number typed by the user or written under any user's settings: a comma or
// a point as the decimal separator, an optional sign and exponent, blanks
// around it allowed. Nothing for any other text, infinities and NaN included.
std::optional<double> ParseNumber(std::string_view text);

// Reads a number typed or stored as text: optional blanks around it, an
// optional sign, decimal or exponent notation with the given decimal
// separator (the other one is refused). False, with value unspecified, for
// anything else, and for infinities and NaN.
bool ParseNumber(const std::string& text, char decimalSeparator, double& value);

}  // namespace lumera
