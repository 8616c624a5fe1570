#include "stand/stand_materials.h"

#include <string>

namespace lumera {

namespace {

BandSpectrum AtBandCentres(const SpectralLibrary& library, int column, const TBandTable& bands)
{
    const std::vector<LibraryPoint> points = AscendingChannels(library, column);
    BandSpectrum spectrum{};
    for (int b = 0; b < kSensorBands; ++b) spectrum[b] = InterpolateLinear(points, bands[b].Center);
    return spectrum;
}

bool InGroup(const std::string& name, const char* group) { return name.rfind(group, 0) == 0; }

// Living foliage: a strong red edge (bands 31-33 against 41-43, as the NDVI
// panel's defaults). Dry needles and branches would give crowns that no
// vegetation index finds.
bool LivingFoliage(const BandSpectrum& s)
{
    const double red = s[30] + s[31] + s[32], nir = s[40] + s[41] + s[42];
    return (nir - red) / (nir + red) >= 0.7;
}

}  // namespace

StandMaterials MaterialsFromLibrary(const SpectralLibrary& library, const TBandTable& bands)
{
    StandMaterials materials;
    for (std::size_t s = 0; s < library.Names.size(); ++s) {
        const std::string& name = library.Names[s];
        std::vector<BandSpectrum>* group = InGroup(name, "conifer:")     ? &materials.Conifers
                                           : InGroup(name, "broadleaf:") ? &materials.Broadleaves
                                           : InGroup(name, "grass:")     ? &materials.Grasses
                                           : InGroup(name, "soil:")      ? &materials.Soils
                                                                         : nullptr;
        if (!group) continue;
        const BandSpectrum spectrum = AtBandCentres(library, int(s), bands);
        const bool foliage = group == &materials.Conifers || group == &materials.Broadleaves;
        if (!foliage || LivingFoliage(spectrum)) group->push_back(spectrum);
    }
    return materials;
}

}  // namespace lumera
