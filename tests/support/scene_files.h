#pragma once
// Small raster scenes written through GDAL, with known wavelengths and values.
#include <array>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

namespace lumera::testing {

struct SceneRecipe {
    enum class Wavelengths { Envi, BandItems, None };
    std::string Driver = "ENVI";
    int Width = 3;
    int Height = 2;
    std::vector<double> Centres;       // in the unit below
    std::string Unit = "Nanometers";   // "" writes no unit
    Wavelengths Style = Wavelengths::Envi;
    GDALDataType Type = GDT_Float32;
    std::function<double(int band, int x, int y)> Value = [](int, int, int) { return 0.5; };
    std::optional<std::array<double, 6>> Transform;
    int Epsg = 0;
    std::optional<double> NoData;
    std::string Interleave;  // "BIL", "BSQ" or "BIP" for ENVI; the driver's own when empty
    std::vector<std::string> Options;  // further creation options of the driver
};

inline void WriteScene(const std::string& path, const SceneRecipe& s)
{
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(s.Driver.c_str());
    const int bands = static_cast<int>(s.Centres.size());
    std::vector<std::string> texts = s.Options;
    if (!s.Interleave.empty()) texts.push_back("INTERLEAVE=" + s.Interleave);
    std::vector<const char*> options;
    for (const std::string& text : texts) options.push_back(text.c_str());
    options.push_back(nullptr);
    GDALDataset* ds = driver->Create(path.c_str(), s.Width, s.Height, bands, s.Type, const_cast<char**>(options.data()));
    if (s.Style == SceneRecipe::Wavelengths::Envi) {
        std::string list = "{";
        for (std::size_t i = 0; i < s.Centres.size(); ++i) list += (i ? ", " : "") + std::to_string(s.Centres[i]);
        ds->SetMetadataItem("wavelength", (list + "}").c_str(), "ENVI");
        if (!s.Unit.empty()) ds->SetMetadataItem("wavelength_units", s.Unit.c_str(), "ENVI");
    }
    std::vector<double> plane(std::size_t(s.Width) * s.Height);
    for (int b = 0; b < bands; ++b) {
        GDALRasterBand* band = ds->GetRasterBand(b + 1);
        if (s.Style == SceneRecipe::Wavelengths::BandItems) {
            std::ostringstream centre;  // as people write them: "386.7", no trailing zeros
            centre << s.Centres[b];
            band->SetMetadataItem("wavelength", centre.str().c_str());
            if (!s.Unit.empty()) band->SetMetadataItem("wavelength_units", s.Unit.c_str());
        }
        if (s.NoData) band->SetNoDataValue(*s.NoData);
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) plane[std::size_t(y) * s.Width + x] = s.Value(b, x, y);
        if (band->RasterIO(GF_Write, 0, 0, s.Width, s.Height, plane.data(), s.Width, s.Height, GDT_Float64, 0, 0,
                           nullptr) != CE_None)
            throw std::runtime_error("cannot write test scene");
    }
    if (s.Transform) {
        std::array<double, 6> t = *s.Transform;
        ds->SetGeoTransform(t.data());
    }
    if (s.Epsg) {
        OGRSpatialReference crs;
        crs.importFromEPSG(s.Epsg);
        ds->SetSpatialRef(&crs);
    }
    GDALClose(ds);
}

// Evenly spaced centres from `first` in steps of `step`.
inline std::vector<double> Centres(double first, double step, int count)
{
    std::vector<double> c;
    for (int i = 0; i < count; ++i) c.push_back(first + step * i);
    return c;
}

// A reflectance scene of 130 bands from 380 nm in 5 nm steps, 2 m pixels on UTM zone 33N.
inline SceneRecipe UtmScene(int width, int height, std::function<double(int band, int x, int y)> value)
{
    SceneRecipe recipe;
    recipe.Width = width;
    recipe.Height = height;
    recipe.Centres = Centres(380, 5, 130);
    recipe.Value = std::move(value);
    recipe.Transform = std::array<double, 6>{500000, 2, 0, 5500000, 0, -2};
    recipe.Epsg = 32633;
    return recipe;
}

}  // namespace lumera::testing
