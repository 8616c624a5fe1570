#pragma once
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "extrema/filter_matrix.h"

namespace lumera::cli {

// The filter matrix chosen on the command line: FILTER is gauss:N (the matrix
// "Gauss" makes), ones:N ("Nastavit"), box:N ("Nastavit" then "Normovat") or
// the path of a filter file.
struct FilterOption {
    std::string filter = "gauss:7";
    bool none = false;
};

// Adds --filter FILTER to the command, and --no-filter when the command can
// work without one. A named matrix with an edge other than 3, 5, ... 15 is a
// usage error.
void AddFilterOption(CLI::App& command, FilterOption& option, bool allowNone);

// The cells FILTER stands for. A filter file must be readable and all its
// cells numbers; otherwise FileError names the file.
TFilterCells FilterCells(const std::string& filter);

// The chosen cells, or nothing with --no-filter.
std::optional<TFilterCells> ChosenFilter(const FilterOption& option);

}  // namespace lumera::cli
