#pragma once
#include <charconv>
#include <optional>
#include <string>

namespace lumera::cli {

// The text as a whole number, or nothing when it is anything else (signs,
// blanks or trailing characters included).
inline std::optional<int> WholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace lumera::cli
