#include "gdal_session.h"

#include <mutex>

#include <cpl_error.h>
#include <gdal_priv.h>

namespace lumera {

void UseGdal()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);
    });
}

std::string LastGdalError()
{
    const char* message = CPLGetLastErrorMsg();
    return message ? message : "";
}

void GdalDatasetCloser::operator()(GDALDataset* dataset) const { GDALClose(dataset); }

}  // namespace lumera
