#include "number_range.h"

#include "data/number_format.h"

namespace lumera::cli {

CLI::Validator NumberRange(double lowest, double highest)
{
    const std::string from = FormatNumber(lowest), to = FormatNumber(highest);
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            double value = 0.0;
            if (!ParseNumber(text, '.', value)) return "Value " + text + " is not a number";
            if (value >= lowest && value <= highest) return "";
            return "Value " + text + " not in range " + from + " to " + to;
        },
        "[" + from + " - " + to + "]");
}

}  // namespace lumera::cli
