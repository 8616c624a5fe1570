#pragma once
#include <string>

namespace lumera {

// A number as the program shows it: the shortest general decimal form with up
// to 15 significant digits ("1234", "-12", "0,3917", "1E-5") and the given
// decimal separator.
std::string FormatNumber(double value, char decimalSeparator = '.');

}  // namespace lumera
