#pragma once
#include <string>
#include <vector>

namespace lumera {

// A table of reflectance spectra as published in spectral libraries: channel
// centres in µm and one column of reflectance (a fraction) per spectrum.
struct SpectralLibrary {
    std::vector<double> Wavelengths;
    std::vector<std::string> Names;
    std::vector<std::vector<double>> Columns;  // Columns[s][channel]; NaN where the library has no value
};

// Reads a library table in CSV: a header row ("wavelength_um", "fwhm_um",
// then one quoted name per spectrum) and one row per channel; an empty field
// is a missing value. Throws FileError naming the file and the row at fault.
SpectralLibrary ReadSpectralLibrary(const std::string& path);
// The same for a table already in memory; `path` names it in messages.
SpectralLibrary ParseSpectralLibrary(const std::string& text, const std::string& path);

// The USGS table shipped in data/usgs/, built into the program.
const SpectralLibrary& BuiltinSpectralLibrary();

// One spectrum's channels as ascending (wavelength, value) points. Missing
// values are left out. Where the channel order falls back (the next detector
// of the instrument begins), the earlier detector's channels at or above the
// new one's first wavelength are dropped: in an overlap the later detector counts.
struct LibraryPoint {
    double Wavelength = 0.0;
    double Value = 0.0;
};
std::vector<LibraryPoint> AscendingChannels(const SpectralLibrary& library, int column);

// Linear interpolation between the two channels around the wavelength (a
// channel itself gives its value). Throws std::out_of_range outside the channels.
double InterpolateLinear(const std::vector<LibraryPoint>& points, double wavelength);

// The column of the spectrum with this name; throws std::invalid_argument
// when there is none.
int LibraryColumn(const SpectralLibrary& library, const std::string& name);

}  // namespace lumera
