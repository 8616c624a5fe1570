#include "filter_option.h"

#include <stdexcept>

#include "data/file_error.h"
#include "whole_number.h"

namespace lumera::cli {

namespace {

enum class Named { Gauss, Ones, Box };

struct NamedFilter {
    Named kind;
    std::string edgeText;
};

std::optional<NamedFilter> SplitNamed(const std::string& filter)
{
    for (const auto& [prefix, kind] : {std::pair{"gauss:", Named::Gauss}, {"ones:", Named::Ones}, {"box:", Named::Box}})
        if (filter.rfind(prefix, 0) == 0) return NamedFilter{kind, filter.substr(std::string(prefix).size())};
    return std::nullopt;
}

// The edge of a named matrix, or nothing when the text is no usable edge.
std::optional<int> Edge(const std::string& text)
{
    const auto edge = WholeNumber(text);
    if (!edge || EdgeRefusal(*edge)) return std::nullopt;
    return edge;
}

std::string CheckFilter(const std::string& filter)
{
    const auto named = SplitNamed(filter);
    if (!named || Edge(named->edgeText)) return "";
    return "FILTER " + filter + ": the edge must be an odd number from " + std::to_string(kMinFilterEdge) + " to " +
           std::to_string(kMaxFilterEdge);
}

}  // namespace

void AddFilterOption(CLI::App& command, FilterOption& option, bool allowNone)
{
    auto* filter = command.add_option("--filter", option.filter, "gauss:N, ones:N, box:N or a filter file (gauss:7)")
                       ->check(CLI::Validator(CheckFilter, "FILTER"));
    if (allowNone) command.add_flag("--no-filter", option.none, "Search the brightness unfiltered")->excludes(filter);
}

TFilterCells FilterCells(const std::string& filter)
{
    if (const auto named = SplitNamed(filter)) {
        const auto edge = Edge(named->edgeText);
        if (!edge) throw std::invalid_argument(CheckFilter(filter));
        if (named->kind == Named::Gauss) return GaussFilter(*edge, '.');
        if (named->kind == Named::Ones) return OnesFilter(*edge);
        return NormalizeFilter(OnesFilter(*edge), '.');
    }
    TFilterCells cells = ReadFilterFile(filter);
    try {
        FilterWeights(cells);
    } catch (const FilterCellError& e) {
        throw FileError("Soubor " + filter + ": " + e.what());
    }
    return cells;
}

std::optional<TFilterCells> ChosenFilter(const FilterOption& option)
{
    if (option.none) return std::nullopt;
    return FilterCells(option.filter);
}

}  // namespace lumera::cli
