#include "scene.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "data/file_error.h"
#include "mapping/wavelength_units.h"

namespace lumera {

namespace {

struct Centres {
    std::vector<double> Values;
    std::optional<double> MicrometresPerUnit;
};

std::optional<double> UnitOf(const char* name)
{
    return name ? MicrometresPerUnit(name) : std::nullopt;
}

// The ENVI header's "wavelength = {...}" list.
std::optional<Centres> EnviCentres(GDALDataset& dataset)
{
    const char* list = dataset.GetMetadataItem("wavelength", "ENVI");
    if (!list) return std::nullopt;
    auto values = ParseNumberList(list);
    if (!values || int(values->size()) != dataset.GetRasterCount()) return std::nullopt;
    return Centres{*values, UnitOf(dataset.GetMetadataItem("wavelength_units", "ENVI"))};
}

// Per-band items: GDAL's "CENTRAL_WAVELENGTH_UM" or a "wavelength" with its units.
std::optional<Centres> BandCentres(GDALDataset& dataset)
{
    Centres centres;
    for (int b = 1; b <= dataset.GetRasterCount(); ++b) {
        GDALRasterBand* band = dataset.GetRasterBand(b);
        const char* text = band->GetMetadataItem("CENTRAL_WAVELENGTH_UM", "IMAGERY");
        std::optional<double> unit = 1.0;
        if (!text) {
            text = band->GetMetadataItem("wavelength");
            unit = UnitOf(band->GetMetadataItem("wavelength_units"));
        }
        const auto list = text ? ParseNumberList(text) : std::nullopt;
        const std::optional<double> value = list && list->size() == 1 ? std::optional(list->front()) : std::nullopt;
        if (!value) return std::nullopt;
        if (b > 1 && unit != centres.MicrometresPerUnit) return std::nullopt;
        centres.Values.push_back(*value);
        centres.MicrometresPerUnit = unit;
    }
    return centres;
}

void ReadCentres(Scene& scene)
{
    auto centres = EnviCentres(*scene.Dataset);
    if (!centres) centres = BandCentres(*scene.Dataset);
    if (!centres || centres->Values.empty()) return;
    scene.UnitGuessed = !centres->MicrometresPerUnit;
    scene.MicrometresPerUnit = centres->MicrometresPerUnit.value_or(GuessMicrometresPerUnit(centres->Values));
    scene.CentresUm = ToMicrometres(std::move(centres->Values), scene.MicrometresPerUnit);
}

void ReadReference(Scene& scene)
{
    GeoTransform transform;
    if (scene.Dataset->GetGeoTransform(transform.data()) != CE_None) return;
    GeoReference reference{transform, ""};
    if (const OGRSpatialReference* crs = scene.Dataset->GetSpatialRef()) {
        char* wkt = nullptr;
        if (crs->exportToWkt(&wkt) == OGRERR_NONE && wkt) reference.Crs = wkt;
        CPLFree(wkt);
    }
    scene.Reference = reference;
}

std::string SubdatasetNames(GDALDataset& dataset)
{
    std::string names;
    CSLConstList items = dataset.GetMetadata("SUBDATASETS");
    for (int i = 0; items && items[i]; ++i) {
        const std::string item = items[i];
        const auto eq = item.find('=');
        if (eq == std::string::npos || eq < 5 || item.compare(eq - 5, 5, "_NAME") != 0) continue;
        names += (names.empty() ? "" : ", ") + item.substr(eq + 1);
    }
    return names;
}

}  // namespace

Scene OpenScene(const std::string& path)
{
    UseGdal();
    Scene scene;
    scene.Path = path;
    scene.Dataset.reset(static_cast<GDALDataset*>(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY,
                                                             nullptr, nullptr, nullptr)));
    if (!scene.Dataset)
        throw FileError("Soubor " + path + " nelze otevřít jako rastrový snímek: " + LastGdalError());
    if (scene.Dataset->GetRasterCount() == 0) {
        const std::string names = SubdatasetNames(*scene.Dataset);
        throw FileError("Soubor " + path + (names.empty() ? " neobsahuje žádný rastr."
                                                          : " obsahuje více datových sad; zvolte jednu z nich: " + names));
    }
    scene.Width = scene.Dataset->GetRasterXSize();
    scene.Height = scene.Dataset->GetRasterYSize();
    scene.Bands = scene.Dataset->GetRasterCount();
    ReadCentres(scene);
    ReadReference(scene);
    return scene;
}

std::vector<std::string> SceneFiles(const Scene& scene)
{
    std::vector<std::string> files;
    char** list = scene.Dataset->GetFileList();
    for (char** file = list; file && *file; ++file) files.emplace_back(*file);
    CSLDestroy(list);
    return files;
}

}  // namespace lumera
