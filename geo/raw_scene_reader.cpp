#include "raw_scene_reader.h"

#include <cstring>

#include "data/instruction_set.h"

namespace lumera {

namespace {

// A span that holds more than this many times the values needed (a narrow
// window of a wide scene) is read in pieces instead.
constexpr std::size_t kMostWaste = 8;

bool ExactlyHeld(GDALDataType type)
{
    switch (type) {
        case GDT_Byte:
        case GDT_UInt16:
        case GDT_Int16:
        case GDT_UInt32:
        case GDT_Int32:
        case GDT_Float32:
        case GDT_Float64: return true;
        default: return false;
    }
}

template <typename T>
[[gnu::always_inline]] inline void ConvertRun(const unsigned char* from, std::size_t count, double* out)
{
    for (std::size_t i = 0; i < count; ++i) {
        T v;
        std::memcpy(&v, from + i * sizeof(T), sizeof(T));
        out[i] = static_cast<double>(v);
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Values next to each other convert several at a time on wider registers;
// every conversion is exact, so the set makes no difference to the values.
template <typename T>
[[gnu::target("avx2")]] void ConvertRunAvx2(const unsigned char* from, std::size_t count, double* out)
{
    ConvertRun<T>(from, count, out);
}
#endif

template <typename T>
void ConvertAs(const unsigned char* from, GIntBig stride, std::size_t count, double* out)
{
    if (stride == GIntBig(sizeof(T))) {
#if defined(__x86_64__) && defined(__GNUC__)
        static const bool avx2 = Runs(InstructionSet::Avx2);
        if (avx2) return ConvertRunAvx2<T>(from, count, out);
#endif
        return ConvertRun<T>(from, count, out);
    }
    for (std::size_t i = 0; i < count; ++i) {
        T v;
        std::memcpy(&v, from + GIntBig(i) * stride, sizeof(T));
        out[i] = static_cast<double>(v);
    }
}

}  // namespace

std::unique_ptr<RawSceneReader> RawSceneReader::Open(GDALDataset& dataset)
{
    GDALDataset::RawBinaryLayout layout;
    if (!dataset.GetRawBinaryLayout(layout) || !ExactlyHeld(layout.eDataType)) return nullptr;
    const bool littleEndian = CPL_IS_LSB != 0;
    const bool nativeOrder = layout.bLittleEndianOrder == littleEndian || GDALGetDataTypeSizeBytes(layout.eDataType) == 1;
    if (!nativeOrder || layout.nPixelOffset <= 0 || layout.nLineOffset <= 0 || layout.nBandOffset <= 0) return nullptr;
    if (layout.nPixelOffset > layout.nLineOffset) return nullptr;
    std::unique_ptr<VSILFILE, FileCloser> file(VSIFOpenL(layout.osRawFilename.c_str(), "rb"));
    if (!file) return nullptr;
    auto reader = std::unique_ptr<RawSceneReader>(new RawSceneReader);
    reader->file_ = std::move(file);
    reader->layout_ = layout;
    return reader;
}

bool RawSceneReader::ReadSpan(vsi_l_offset offset, std::size_t length)
{
    span_.resize(length);
    return VSIFSeekL(file_.get(), offset, SEEK_SET) == 0 && VSIFReadL(span_.data(), 1, length, file_.get()) == length;
}

void RawSceneReader::Convert(const unsigned char* from, GIntBig stride, std::size_t count, double* out) const
{
    switch (layout_.eDataType) {
        case GDT_Byte: return ConvertAs<uint8_t>(from, stride, count, out);
        case GDT_UInt16: return ConvertAs<uint16_t>(from, stride, count, out);
        case GDT_Int16: return ConvertAs<int16_t>(from, stride, count, out);
        case GDT_UInt32: return ConvertAs<uint32_t>(from, stride, count, out);
        case GDT_Int32: return ConvertAs<int32_t>(from, stride, count, out);
        case GDT_Float32: return ConvertAs<float>(from, stride, count, out);
        default: return ConvertAs<double>(from, stride, count, out);
    }
}

// Bytes from the first value of `width` pixels of the first of `count`
// rows or bands `outerStride` apart to the end of the last one's.
std::size_t RawSceneReader::SpanLength(int count, GIntBig outerStride, int width) const
{
    return std::size_t(GIntBig(count - 1) * outerStride + GIntBig(width - 1) * layout_.nPixelOffset +
                       GDALGetDataTypeSizeBytes(layout_.eDataType));
}

bool RawSceneReader::Read(const PixelRect& rect, const std::vector<int>& bands, double* out)
{
    const GIntBig pixel = layout_.nPixelOffset, line = layout_.nLineOffset, band = layout_.nBandOffset;
    const std::size_t width = std::size_t(rect.Width), bandCount = bands.size();
    const std::size_t needed = width * bandCount * std::size_t(GDALGetDataTypeSizeBytes(layout_.eDataType));
    auto at = [&](int row, int b) {
        return layout_.nImageOffset + vsi_l_offset(GIntBig(rect.Y + row) * line + GIntBig(b) * band +
                                                   GIntBig(rect.X) * pixel);
    };
    auto into = [&](int row, std::size_t i) { return out + (std::size_t(row) * bandCount + i) * width; };
    const int first = bands.front(), last = bands.back();
    if (line >= band) {
        // Row after row (BIL, BIP): every band of a row lies in one span.
        const std::size_t span = SpanLength(last - first + 1, band, rect.Width);
        for (int r = 0; r < rect.Height; ++r) {
            if (span <= kMostWaste * needed) {
                if (!ReadSpan(at(r, first), span)) return false;
                for (std::size_t i = 0; i < bandCount; ++i)
                    Convert(span_.data() + GIntBig(bands[i] - first) * band, pixel, width, into(r, i));
                continue;
            }
            for (std::size_t i = 0; i < bandCount; ++i) {
                if (!ReadSpan(at(r, bands[i]), SpanLength(1, band, rect.Width))) return false;
                Convert(span_.data(), pixel, width, into(r, i));
            }
        }
        return true;
    }
    // Band after band (BSQ): every row of a band lies in one span.
    const std::size_t span = SpanLength(rect.Height, line, rect.Width);
    const bool whole = span <= kMostWaste * width * std::size_t(rect.Height) *
                                   std::size_t(GDALGetDataTypeSizeBytes(layout_.eDataType));
    for (std::size_t i = 0; i < bandCount; ++i) {
        if (whole && !ReadSpan(at(0, bands[i]), span)) return false;
        for (int r = 0; r < rect.Height; ++r) {
            if (!whole && !ReadSpan(at(r, bands[i]), SpanLength(1, line, rect.Width))) return false;
            Convert(span_.data() + (whole ? GIntBig(r) * line : 0), pixel, width, into(r, i));
        }
    }
    return true;
}

}  // namespace lumera
