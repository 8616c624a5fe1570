#pragma once
// Reading crown layers back through GDAL, as a GIS would.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace lumera::testing {

struct ReadCrown {
    int Tree = 0;
    long long Pixels = 0;
    double Area = 0.0;  // of the geometry, in squared map units
    OGREnvelope Envelope;
    int Parts = 0;
    std::vector<std::string> Fields;
    std::vector<double> Reals;  // every real field in order
    std::map<std::string, std::string> Texts;  // every text field by name
};

struct ReadLayer {
    std::vector<ReadCrown> Crowns;
    int Epsg = 0;
};

inline ReadLayer ReadCrownFile(const std::string& path)
{
    GDALAllRegister();
    std::unique_ptr<GDALDataset> ds(
        static_cast<GDALDataset*>(GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr)));
    ReadLayer result;
    if (!ds) return result;
    OGRLayer* layer = ds->GetLayer(0);
    if (const OGRSpatialReference* crs = layer->GetSpatialRef()) {
        OGRSpatialReference copy(*crs);
        copy.AutoIdentifyEPSG();
        if (const char* code = copy.GetAuthorityCode(nullptr)) result.Epsg = std::stoi(code);
    }
    for (auto& feature : *layer) {
        ReadCrown c;
        c.Tree = feature->GetFieldAsInteger("tree");
        c.Pixels = feature->GetFieldAsInteger64("pixels");
        const OGRGeometry* g = feature->GetGeometryRef();
        g->getEnvelope(&c.Envelope);
        // A shapefile gives a crown in one piece back as a plain polygon.
        const OGRGeometryUniquePtr multi(OGRGeometryFactory::forceToMultiPolygon(g->clone()));
        const auto* parts = multi->toMultiPolygon();
        c.Parts = parts->getNumGeometries();
        c.Area = parts->get_Area();
        for (int i = 0; i < feature->GetFieldCount(); ++i) {
            c.Fields.push_back(feature->GetFieldDefnRef(i)->GetNameRef());
            if (feature->GetFieldDefnRef(i)->GetType() == OFTReal) c.Reals.push_back(feature->GetFieldAsDouble(i));
            if (feature->GetFieldDefnRef(i)->GetType() == OFTString)
                c.Texts[feature->GetFieldDefnRef(i)->GetNameRef()] = feature->GetFieldAsString(i);
        }
        result.Crowns.push_back(c);
    }
    return result;
}

}  // namespace lumera::testing
