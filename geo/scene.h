#pragma once
#include <optional>
#include <string>
#include <vector>

#include "gdal_session.h"
#include "geo_reference.h"

namespace lumera {

// A raster scene opened through GDAL, with what the import needs to know.
struct Scene {
    std::string Path;
    DatasetPtr Dataset;
    int Width = 0;
    int Height = 0;
    int Bands = 0;
    // Band centres in micrometres from the file's metadata, when it has them;
    // UnitGuessed when the metadata named no unit and MicrometresPerUnit was
    // guessed from their magnitude.
    std::optional<std::vector<double>> CentresUm;
    bool UnitGuessed = false;
    double MicrometresPerUnit = 1.0;
    std::optional<GeoReference> Reference;
};

// Opens a scene; throws FileError naming the file when GDAL cannot read it as
// a raster, and for a container of several data sets lists their names.
Scene OpenScene(const std::string& path);

// The files a scene is read from (an ENVI image and its header, ...).
std::vector<std::string> SceneFiles(const Scene& scene);

}  // namespace lumera
