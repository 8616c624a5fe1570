#pragma once
#include <string>
#include <type_traits>

#include <CLI/CLI.hpp>

#include "extrema/picture_search.h"
#include "filter_option.h"

namespace lumera::cli {

// The test options both searches share, with the settings they fill.
template <class Settings>
struct SearchRules {
    std::string test = "directions", equality = "deny";
    Settings settings;

    // The settings with the test and the equality rule the options name.
    Settings Resolved() const
    {
        Settings s = settings;
        s.Test = test == "neighbourhood" ? ExtremumTest::Neighbourhood : ExtremumTest::Directions;
        s.EqualityAllowed = equality == "allow";
        return s;
    }
};

// --test, --equality, --directions and --neighbours.
template <class Settings>
void AddSearchRuleOptions(CLI::App& command, SearchRules<Settings>& rules)
{
    command.add_option("--test", rules.test, "directions|neighbourhood (directions)")
        ->check(CLI::IsMember({"directions", "neighbourhood"}));
    command.add_option("--equality", rules.equality, "allow|deny (deny)")->check(CLI::IsMember({"allow", "deny"}));
    command.add_option("--directions", rules.settings.Directions, "Directions required")
        ->check(CLI::Range(1, 4))
        ->capture_default_str();
    command.add_option("--neighbours", rules.settings.Neighbours, "Neighbours required")
        ->check(CLI::Range(1, 24))
        ->capture_default_str();
}

// The search on a picture's brightness, filtered unless there is no filter.
template <class Settings>
TExtremaList RunPictureSearchStep(const Bitmap& picture, const SearchRules<Settings>& rules,
                                  const std::optional<TFilterCells>& filter)
{
    const Settings settings = rules.Resolved();
    if constexpr (std::is_same_v<Settings, MaximaSettings>) return FindMaxima(picture, filter, settings);
    else return FindMinima(picture, filter, settings);
}

}  // namespace lumera::cli
