#include "resampled_block.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include <gdal_priv.h>

#include "data/file_error.h"
#include "mapping/value_scaling.h"
#include "parallel_work.h"
#include "raw_scene_reader.h"
#include "resampling_kernels.h"

namespace lumera {

namespace {

// A read holds every needed band of a few rows as doubles; this bounds it.
constexpr std::size_t kReadBytes = std::size_t(8) << 20;
// Pixels of a row resampled together: 256 pixels of 130 bands read are 260 KB.
constexpr std::size_t kPieceWidth = 256;

// How the values of one band read become the values resampled.
struct InputBand {
    int HasNoData = 0;
    double NoData = 0.0;
    bool Rescale = false;
    bool Integer = false;  // values always finite
    double Scale = 1.0, Offset = 0.0;
};

std::vector<InputBand> InputBands(const Scene& scene, const ResamplingPlan& plan)
{
    std::vector<InputBand> inputs;
    for (int input : plan.InputsUsed) {
        GDALRasterBand* band = scene.Dataset->GetRasterBand(input + 1);
        InputBand in;
        in.NoData = band->GetNoDataValue(&in.HasNoData);
        int hasScale = 0, hasOffset = 0;
        in.Scale = band->GetScale(&hasScale);
        in.Offset = band->GetOffset(&hasOffset);
        in.Rescale = (hasScale && in.Scale != 1.0) || (hasOffset && in.Offset != 0.0);
        in.Integer = !GDALDataTypeIsFloating(band->GetRasterDataType());
        inputs.push_back(in);
    }
    return inputs;
}

// Per output band, the positions of its inputs among the bands read.
std::vector<std::vector<std::size_t>> InputPositions(const ResamplingPlan& plan)
{
    std::vector<std::size_t> position(plan.InputsUsed.empty() ? 0 : std::size_t(plan.InputsUsed.back()) + 1);
    for (std::size_t i = 0; i < plan.InputsUsed.size(); ++i) position[std::size_t(plan.InputsUsed[i])] = i;
    std::vector<std::vector<std::size_t>> positions;
    for (const BandWeights& band : plan.Bands) {
        positions.emplace_back();
        for (int input : band.Inputs) positions.back().push_back(position[std::size_t(input)]);
    }
    return positions;
}

// One band's values in a row: marks pixels without data, scales the values
// and, when asked, keeps each pixel's largest. Written without branches, so
// that the compiler takes several pixels at a time.
template <bool Rescale, bool KeepLargest>
void PrepareBand(double* values, std::size_t width, const InputBand& in, uint8_t* noData, double* largest)
{
    // NaN equals nothing: without a no-data value no value is taken for one.
    const double noDataValue = in.HasNoData ? in.NoData : std::numeric_limits<double>::quiet_NaN();
    const double most = std::numeric_limits<double>::max();
    for (std::size_t p = 0; p < width; ++p) {
        const double v = values[p];
        // Not finite: NaN fails the comparison too.
        noData[p] |= uint8_t(!(std::abs(v) <= most) | (v == noDataValue));
    }
    for (std::size_t p = 0; p < width; ++p) {
        const double v = values[p];
        const bool missing = !(std::abs(v) <= most) | (v == noDataValue);
        const double scaled = Rescale ? v * in.Scale + in.Offset : v;
        values[p] = missing ? v : scaled;
        if constexpr (KeepLargest) largest[p] = !missing & (scaled > largest[p]) ? scaled : largest[p];
    }
}

// `width` pixels of a row of every band read, band after band `stride` values apart.
template <bool KeepLargest>
void PrepareRow(double* row, std::size_t stride, std::size_t width, const std::vector<InputBand>& inputs,
                uint8_t* noData, double* largest)
{
    std::fill(noData, noData + width, uint8_t(0));
    if constexpr (KeepLargest) std::fill(largest, largest + width, -HUGE_VAL);
    for (std::size_t b = 0; b < inputs.size(); ++b) {
        double* values = row + b * stride;
        if (inputs[b].Integer && !inputs[b].HasNoData && !inputs[b].Rescale) {
            if constexpr (KeepLargest)
                for (std::size_t p = 0; p < width; ++p) largest[p] = values[p] > largest[p] ? values[p] : largest[p];
            continue;
        }
        if (inputs[b].Rescale)
            PrepareBand<true, KeepLargest>(values, width, inputs[b], noData, largest);
        else
            PrepareBand<false, KeepLargest>(values, width, inputs[b], noData, largest);
    }
}

// Reads the rows of a rectangle for every band a plan needs, a few rows a
// read, and either resamples them to counts into a block or only finds the
// largest value read.
class BlockReader {
public:
    BlockReader(Scene& scene, const ResamplingPlan& plan, const PixelRect& rect)
        : scene_(scene), plan_(plan), rect_(rect), positions_(InputPositions(plan)), inputs_(InputBands(scene, plan)),
          raw_(RawSceneReader::Open(*scene.Dataset))
    {
        for (int input : plan.InputsUsed) bandMap_.push_back(input + 1);
        const std::size_t rowBytes = std::size_t(rect.Width) * std::max<std::size_t>(inputs_.size(), 1) * 8;
        rowsPerRead_ = int(std::clamp<std::size_t>(kReadBytes / rowBytes, 1, std::size_t(rect.Height)));
    }

    int Reads() const { return (rect_.Height + rowsPerRead_ - 1) / rowsPerRead_; }

    // Rows of read `read` resampled to counts into `block`, whose rectangle
    // holds this one and is as wide.
    void Resample(int read, double scale, ResampledBlock& block)
    {
        const std::size_t width = std::size_t(rect_.Width);
        thread_local std::vector<double> sums;
        sums.resize(kPieceWidth);
        std::vector<const double*> terms;
        const std::size_t rowsAbove = std::size_t(rect_.Y - block.Rect.Y);
        ForEachRow(read, [&](double* row, std::size_t rowOffset) {
            const std::size_t offset = rowsAbove * width + rowOffset;
            std::fill_n(block.Clipped.data() + offset, width, uint8_t(0));
            // A piece of the row at a time, small enough that its values of
            // every band stay in the cache while all output bands are summed.
            for (std::size_t from = 0; from < width; from += kPieceWidth) {
                const std::size_t count = std::min(kPieceWidth, width - from), at = offset + from;
                uint8_t* noData = block.NoData.data() + at;
                PrepareRow<false>(row + from, width, count, inputs_, noData, nullptr);
                for (std::size_t o = 0; o < plan_.Bands.size(); ++o) {
                    if (block.Counts[o].empty()) continue;
                    terms.clear();
                    for (std::size_t position : positions_[o]) terms.push_back(row + position * width + from);
                    WeightedSum(terms.data(), plan_.Bands[o].Weights.data(), terms.size(), count, sums.data());
                    ToCounts(sums.data(), noData, scale, count, block.Counts[o].data() + at,
                             block.Clipped.data() + at);
                }
            }
        });
    }

    // The largest value with data in the rows of read `read`, or -inf.
    double Largest(int read)
    {
        const std::size_t width = std::size_t(rect_.Width);
        thread_local std::vector<uint8_t> noData;
        thread_local std::vector<double> largest;
        noData.resize(width);
        largest.resize(width);
        double most = -HUGE_VAL;
        ForEachRow(read, [&](double* row, std::size_t) {
            PrepareRow<true>(row, width, width, inputs_, noData.data(), largest.data());
            for (double v : largest) most = std::max(most, v);
        });
        return most;
    }

private:
    // Reads the rows of read `read` and hands each, with the position of its
    // first pixel in the rectangle, to `use`.
    template <typename Use>
    void ForEachRow(int read, Use use)
    {
        const int first = read * rowsPerRead_, rows = std::min(rowsPerRead_, rect_.Height - first);
        const std::size_t width = std::size_t(rect_.Width), rowValues = width * inputs_.size();
        thread_local std::vector<double> buffer;
        buffer.resize(rowValues * std::size_t(rows));
        Read(first, rows, buffer.data());
        for (int r = 0; r < rows; ++r)
            use(buffer.data() + std::size_t(r) * rowValues, std::size_t(first + r) * width);
    }

    void Read(int first, int rows, double* buffer)
    {
        if (inputs_.empty()) return;
        const PixelRect& rect = rect_;
        const GSpacing pixel = sizeof(double), band = pixel * rect.Width;
        const std::lock_guard lock(readLock_);
        if (raw_) {
            if (!raw_->Read({rect.X, rect.Y + first, rect.Width, rows}, plan_.InputsUsed, buffer))
                throw FileError("Snímek " + scene_.Path + " nelze přečíst (řádky " +
                                std::to_string(rect.Y + first + 1) + " až " + std::to_string(rect.Y + first + rows) +
                                "): data jsou kratší, než uvádí popis snímku, nebo je nelze číst.");
            return;
        }
        if (scene_.Dataset->RasterIO(GF_Read, rect.X, rect.Y + first, rect.Width, rows, buffer, rect.Width, rows,
                                     GDT_Float64, int(bandMap_.size()), bandMap_.data(), pixel,
                                     band * GSpacing(bandMap_.size()), band, nullptr) != CE_None)
            throw FileError("Snímek " + scene_.Path + " nelze přečíst (řádky " + std::to_string(rect.Y + first + 1) +
                            " až " + std::to_string(rect.Y + first + rows) + "): " + LastGdalError());
    }

    Scene& scene_;
    const ResamplingPlan& plan_;
    PixelRect rect_;
    std::vector<std::vector<std::size_t>> positions_;
    std::vector<InputBand> inputs_;
    std::unique_ptr<RawSceneReader> raw_;
    std::vector<int> bandMap_;
    int rowsPerRead_ = 1;
    std::mutex readLock_;
};

std::size_t At(const ResampledBlock& block, int x, int y)
{
    return std::size_t(y - block.Rect.Y) * std::size_t(block.Rect.Width) + std::size_t(x - block.Rect.X);
}

// Rows of `block` that `previous` holds too (over the same columns) are
// copied from it; the number of them.
int CopyRowsFrom(const ResampledBlock& previous, ResampledBlock& block)
{
    const PixelRect& rect = block.Rect;
    const PixelRect& before = previous.Rect;
    if (before.X != rect.X || before.Width != rect.Width || before.Y > rect.Y) return 0;
    const int rows = std::min(before.Y + before.Height - rect.Y, rect.Height);
    if (rows <= 0) return 0;
    const std::size_t from = At(previous, rect.X, rect.Y), values = std::size_t(rows) * std::size_t(rect.Width);
    for (std::size_t o = 0; o < block.Counts.size(); ++o)
        if (!block.Counts[o].empty()) std::copy_n(previous.Counts[o].data() + from, values, block.Counts[o].data());
    std::copy_n(previous.NoData.data() + from, values, block.NoData.data());
    std::copy_n(previous.Clipped.data() + from, values, block.Clipped.data());
    return rows;
}

}  // namespace

std::size_t BlockBytesPerPixel(const ResamplingPlan& plan)
{
    std::size_t bytes = 2 * sizeof(uint8_t);
    for (const BandWeights& band : plan.Bands) bytes += band.Inputs.empty() ? 0 : sizeof(int16_t);
    return bytes;
}

bool IntegerValues(const Scene& scene, const ResamplingPlan& plan)
{
    const std::vector<InputBand> inputs = InputBands(scene, plan);
    return std::all_of(inputs.begin(), inputs.end(), [](const InputBand& in) { return in.Integer && !in.Rescale; });
}

double LargestValue(Scene& scene, const PixelRect& rect, const ResamplingPlan& plan)
{
    BlockReader reader(scene, plan, rect);
    double largest = -HUGE_VAL;
    for (int read = 0; read < reader.Reads(); ++read) largest = std::max(largest, reader.Largest(read));
    return largest;
}

void ResampleRect(Scene& scene, const PixelRect& rect, const ResamplingPlan& plan, double scale, int jobs,
                  ResampledBlock& block, const ResampledBlock* previous)
{
    // Every value is written below: storage of an earlier rectangle is reused as it is.
    block.Rect = rect;
    const std::size_t pixels = std::size_t(rect.Width) * std::size_t(rect.Height);
    block.Counts.resize(plan.Bands.size());
    for (std::size_t o = 0; o < plan.Bands.size(); ++o)
        block.Counts[o].resize(plan.Bands[o].Inputs.empty() ? 0 : pixels);
    block.NoData.resize(pixels);
    block.Clipped.resize(pixels);
    const int reused = previous ? CopyRowsFrom(*previous, block) : 0;
    if (reused == rect.Height) return;
    BlockReader reader(scene, plan, {rect.X, rect.Y + reused, rect.Width, rect.Height - reused});
    ForEachInParallel(std::size_t(reader.Reads()), jobs,
                      [&](std::size_t read) { reader.Resample(int(read), scale, block); });
}

int64_t NoDataIn(const ResampledBlock& block, const PixelRect& window)
{
    int64_t pixels = 0;
    for (int y = window.Y; y < window.Y + window.Height; ++y) {
        const uint8_t* row = block.NoData.data() + At(block, window.X, y);
        for (int x = 0; x < window.Width; ++x) pixels += row[x];
    }
    return pixels;
}

TData CountsIn(const ResampledBlock& block, const PixelRect& window, int64_t& clipped)
{
    TData cube;
    cube.NBands = static_cast<int32_t>(block.Counts.size());
    cube.NRows = window.Height;
    cube.NColumns = window.Width;
    // Every value is written below: the storage need not be cleared first.
    cube.Values.resize(std::size_t(cube.NBands) * cube.PlaneSize());
    for (int y = window.Y; y < window.Y + window.Height; ++y) {
        const uint8_t* row = block.Clipped.data() + At(block, window.X, y);
        for (int x = 0; x < window.Width; ++x) clipped += row[x];
    }
    int16_t* out = cube.Values.data();
    for (const std::vector<int16_t>& band : block.Counts) {
        if (band.empty()) out = std::fill_n(out, cube.PlaneSize(), int16_t(0));
        for (int y = window.Y; !band.empty() && y < window.Y + window.Height; ++y)
            out = std::copy_n(band.data() + At(block, window.X, y), window.Width, out);
    }
    return cube;
}

}  // namespace lumera
