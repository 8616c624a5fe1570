#pragma once
#include <memory>
#include <vector>

#include <cpl_vsi.h>
#include <gdal_priv.h>

#include "mapping/tile_grid.h"

namespace lumera {

// Reads a raw scene (ENVI and the like) straight from its file, honouring its
// interleave: whole rows of all bands needed (BIL, BIP) or whole bands (BSQ)
// a time instead of one band's row piece by piece, the values as GDAL would
// return them.
class RawSceneReader {
public:
    // Null when the scene is not a raw file in this machine's byte order of a
    // type doubles hold exactly; GDAL reads those.
    static std::unique_ptr<RawSceneReader> Open(GDALDataset& dataset);

    // Rows of `rect` of the bands (0-based, ascending), into
    // out[(row * bands.size() + i) * rect.Width + column]. False when the
    // file ends before the data.
    bool Read(const PixelRect& rect, const std::vector<int>& bands, double* out);

private:
    struct FileCloser {
        void operator()(VSILFILE* file) const { VSIFCloseL(file); }
    };

    bool ReadSpan(vsi_l_offset offset, std::size_t length);
    void Convert(const unsigned char* from, GIntBig stride, std::size_t count, double* out) const;
    std::size_t SpanLength(int count, GIntBig outerStride, int width) const;

    std::unique_ptr<VSILFILE, FileCloser> file_;
    GDALDataset::RawBinaryLayout layout_;
    std::vector<unsigned char> span_;
};

}  // namespace lumera
