#include "analysis/reference_library.h"

namespace lumera {

// The table's text, generated at build time from data/usgs/.
extern const char* const kBuiltinLibraryText;

const SpectralLibrary& BuiltinSpectralLibrary()
{
    static const SpectralLibrary library = ParseSpectralLibrary(kBuiltinLibraryText, "usgs_splib07_av95.csv");
    return library;
}

}  // namespace lumera
