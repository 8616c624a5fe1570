#pragma once
#include <optional>
#include <string>
#include <vector>

namespace lumera {

// Micrometres per unit of a wavelength unit name as metadata and files write
// it ("Nanometers", "nm", "micrometers", "µm", "um", "microns"...); nothing
// for a name that is not a wavelength unit.
std::optional<double> MicrometresPerUnit(const std::string& unitName);

// The unit guessed from the magnitude of the centres: above 100 they can only
// be nanometres (the sensors span 0.3 to 2.5 µm), else micrometres. Returns
// micrometres per unit.
double GuessMicrometresPerUnit(const std::vector<double>& centres);

// Centres in a unit, converted to micrometres.
std::vector<double> ToMicrometres(std::vector<double> centres, double micrometresPerUnit);

// The numbers of an ENVI list such as "{ 400.5, 410.2 }" or "400.5,410.2";
// nothing when an item is not a number.
std::optional<std::vector<double>> ParseNumberList(const std::string& text);

// A wavelength file: one centre per line, optionally after a first line naming
// the unit. Blank lines are skipped.
struct WavelengthFile {
    std::vector<double> CentresUm;
    bool UnitGuessed = false;
    double MicrometresPerUnit = 1.0;
};

// Reads a wavelength file; throws FileError naming the file and the line for
// anything that is neither a number nor the unit line, and for an empty file.
WavelengthFile ReadWavelengthFile(const std::string& path);

}  // namespace lumera
