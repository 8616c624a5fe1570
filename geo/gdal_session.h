#pragma once
#include <memory>
#include <string>

class GDALDataset;

namespace lumera {

// Registers GDAL's drivers once and keeps GDAL from printing its own
// messages: Lumera reports problems itself, naming the file.
void UseGdal();

// GDAL's last error message, or "" when it has none.
std::string LastGdalError();

struct GdalDatasetCloser {
    void operator()(GDALDataset* dataset) const;
};
using DatasetPtr = std::unique_ptr<GDALDataset, GdalDatasetCloser>;

}  // namespace lumera
