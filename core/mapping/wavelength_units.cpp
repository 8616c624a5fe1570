#include "mapping/wavelength_units.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

#include "data/file_error.h"
#include "data/small_file.h"
#include "data/number_format.h"

namespace lumera {

namespace {

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::optional<double> MicrometresPerUnit(const std::string& unitName)
{
    std::string name = Lower(Trim(unitName));
    // A header line such as "wavelength (nm)" names the unit in brackets.
    if (const auto open = name.find('('); open != std::string::npos && name.back() == ')')
        name = Trim(name.substr(open + 1, name.size() - open - 2));
    for (const char* nm : {"nm", "nanometer", "nanometers", "nanometre", "nanometres"})
        if (name == nm) return 0.001;
    for (const char* um : {"um", "µm", "micrometer", "micrometers", "micrometre", "micrometres", "micron", "microns"})
        if (name == um) return 1.0;
    return std::nullopt;
}

double GuessMicrometresPerUnit(const std::vector<double>& centres)
{
    const bool nanometres = std::any_of(centres.begin(), centres.end(), [](double c) { return c > 100.0; });
    return nanometres ? 0.001 : 1.0;
}

std::vector<double> ToMicrometres(std::vector<double> centres, double micrometresPerUnit)
{
    for (double& c : centres) c *= micrometresPerUnit;
    return centres;
}

std::optional<std::vector<double>> ParseNumberList(const std::string& text)
{
    std::string body = Trim(text);
    if (!body.empty() && body.front() == '{') body.erase(0, 1);
    if (!body.empty() && body.back() == '}') body.pop_back();
    std::vector<double> values;
    std::size_t start = 0;
    while (start <= body.size()) {
        const std::size_t comma = std::min(body.find(',', start), body.size());
        const auto value = ParseNumber(Trim(body.substr(start, comma - start)));
        if (!value) return std::nullopt;
        values.push_back(*value);
        start = comma + 1;
    }
    return values;
}

WavelengthFile ReadWavelengthFile(const std::string& path)
{
    // A list for ten thousand bands takes some 200 kB; nothing longer is read.
    constexpr std::size_t kMaxWavelengthFileBytes = std::size_t(1) << 20;
    std::istringstream in(ReadSmallFile(path, kMaxWavelengthFileBytes));
    WavelengthFile file;
    std::optional<double> unit;
    std::string line;
    bool firstLine = true;
    for (int number = 1; std::getline(in, line); ++number) {
        if (Trim(line).empty()) continue;
        const bool headerPlace = firstLine;
        firstLine = false;
        if (const auto value = ParseNumber(Trim(line))) {
            file.CentresUm.push_back(*value);
            continue;
        }
        if (headerPlace) unit = MicrometresPerUnit(line);
        if (!headerPlace || !unit)
            throw FileError("Soubor " + path + " nejsou vlnové délky: řádek " + std::to_string(number) + " \"" +
                            Trim(line) + "\" není číslo ani jednotka (nm, µm).");
    }
    if (file.CentresUm.empty()) throw FileError("Soubor " + path + " neobsahuje žádnou vlnovou délku.");
    file.UnitGuessed = !unit;
    file.MicrometresPerUnit = unit ? *unit : GuessMicrometresPerUnit(file.CentresUm);
    file.CentresUm = ToMicrometres(std::move(file.CentresUm), file.MicrometresPerUnit);
    return file;
}

}  // namespace lumera
