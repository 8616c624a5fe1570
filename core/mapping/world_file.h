#pragma once
#include <string>

#include "mapping/geotransform.h"

namespace lumera {

// The transform of a world file, the georeference a GIS writes beside a
// picture it exports: six numbers, one a line (the x step of a column, the
// two rotation terms, the y step of a row, the map x and y of the centre of
// the top-left pixel). Throws FileError naming the file when it is not one.
GeoTransform ReadWorldFile(const std::string& path);

// The pixel size in metres of a picture exported from a GIS: its world file
// (PICTURE.bpw, PICTURE.bmpw or PICTURE.wld) with the coordinate system of
// PICTURE.prj or of GDAL's side file PICTURE.bmp.aux.xml. 0 when there is no
// world file, or no projected system in known units (a world file alone may
// be in degrees or feet). Throws FileError naming the file when a file is
// not what its name says or the size lies outside what sensors have.
double PicturePixelSizeMetres(const std::string& picturePath);

}  // namespace lumera
