#include "imaging/bmp_decode.h"

#include <algorithm>

#include "data/file_error.h"

namespace lumera {

namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

// Room between the headers and the pixels: a palette and whatever a writer
// puts there; more is taken for a damaged offset.
constexpr std::size_t kMaxBmpGap = 256 * 4 + 65536;

uint32_t Le(const unsigned char* b, std::size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

[[noreturn]] void Refuse(const std::string& path, const std::string& problem)
{
    throw FileError("Obrázek " + path + " nelze přečíst: " + problem + ".");
}

bool KnownInfoHeader(uint32_t size) { return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124; }

// The colour masks of a 16- or 32-bit picture: the defaults of an
// uncompressed file, or those stored after (or inside) the info header.
void ReadMasks(const std::string& path, BmpLayout& layout, const unsigned char* bytes, std::size_t size,
               uint32_t compression, uint32_t infoSize)
{
    if (compression == kRgb) {
        const bool wide = layout.Bits == 32;
        layout.Masks[0] = wide ? 0xFF0000u : 0x7C00u;
        layout.Masks[1] = wide ? 0x00FF00u : 0x03E0u;
        layout.Masks[2] = wide ? 0x0000FFu : 0x001Fu;
        return;
    }
    if (size < 54 + 12) Refuse(path, "soubor končí uprostřed hlavičky");
    for (int i = 0; i < 3; ++i) layout.Masks[i] = Le(bytes, 54 + 4 * i, 4);
    if (infoSize == 40) layout.PaletteStart += compression == kAlphaBitFields ? 16 : 12;
}

void CheckPalette(const std::string& path, BmpLayout& layout, uint32_t declaredColours)
{
    if (layout.PixelOffset < layout.PaletteStart) Refuse(path, "obrazová data začínají uvnitř hlavičky");
    if (layout.PixelOffset > layout.PaletteStart + kMaxBmpGap)
        Refuse(path, "obrazová data začínají až na bajtu " + std::to_string(layout.PixelOffset));
    if (layout.Bits > 8) return;
    const int full = 1 << layout.Bits;
    const std::size_t room = (layout.PixelOffset - layout.PaletteStart) / layout.PaletteEntrySize;
    const std::size_t declared = declaredColours == 0 ? full : std::min<std::size_t>(declaredColours, full);
    if (room < declared && declaredColours != 0)
        Refuse(path, "paleta má místo pro " + std::to_string(room) + " barev, hlavička jich uvádí " + std::to_string(declared));
    layout.PaletteEntries = int(std::min(room, declared));
    if (layout.PaletteEntries == 0) Refuse(path, "chybí paleta");
}

// Widens a channel of `bits` bits to 8 by repeating its bit pattern, so the
// largest value becomes 255.
uint8_t Widen(uint32_t value, int bits)
{
    if (bits == 0) return 0;
    if (bits >= 8) return uint8_t(value >> (bits - 8));
    uint32_t r = 0;
    int filled = 0;
    while (filled < 8) {
        r = (r << bits) | value;
        filled += bits;
    }
    return uint8_t(r >> (filled - 8));
}

struct Channel {
    int Shift = 0;
    int Bits = 0;
    uint32_t Mask = 0;
};

Channel MaskChannel(uint32_t mask)
{
    Channel c{0, 0, mask};
    if (mask == 0) return c;
    while (!((mask >> c.Shift) & 1)) ++c.Shift;
    while (c.Shift + c.Bits < 32 && ((mask >> (c.Shift + c.Bits)) & 1)) ++c.Bits;
    return c;
}

uint8_t Extract(uint32_t pixel, const Channel& c) { return Widen((pixel & c.Mask) >> c.Shift, c.Bits); }

}  // namespace

BmpLayout ParseBmpHeader(const std::string& path, const unsigned char* bytes, std::size_t size)
{
    if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') throw FileError("Soubor " + path + " není obrázek BMP.");
    BmpLayout layout;
    layout.PixelOffset = Le(bytes, 10, 4);
    const uint32_t infoSize = Le(bytes, 14, 4);
    if (!KnownInfoHeader(infoSize)) Refuse(path, "neznámý typ hlavičky (" + std::to_string(infoSize) + " bajtů)");
    if (size < 14 + std::size_t(infoSize)) Refuse(path, "soubor končí uprostřed hlavičky");
    layout.PaletteStart = 14 + infoSize;
    int64_t width = 0, height = 0;
    uint32_t compression = kRgb, colours = 0;
    if (infoSize == 12) {  // the old OS/2 format: 16-bit sides, 3-byte palette entries
        width = Le(bytes, 18, 2);
        height = Le(bytes, 20, 2);
        layout.Bits = int(Le(bytes, 24, 2));
        layout.PaletteEntrySize = 3;
    } else {
        width = int32_t(Le(bytes, 18, 4));
        height = int32_t(Le(bytes, 22, 4));
        layout.Bits = int(Le(bytes, 28, 2));
        compression = Le(bytes, 30, 4);
        colours = Le(bytes, 46, 4);
    }
    layout.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        throw FileError("Obrázek " + path + " má nepřípustné rozměry " + std::to_string(width) + " x " +
                        std::to_string(height) + " (nejvýše " + std::to_string(kMaxPictureSide) + " pixelů na stranu a " +
                        std::to_string(kMaxPicturePixels) + " pixelů celkem).");
    layout.Width = int(width);
    layout.Height = int(height);
    const int b = layout.Bits;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
        Refuse(path, "nepodporovaná barevná hloubka " + std::to_string(b) + " bitů");
    const bool masked = compression == kBitFields || compression == kAlphaBitFields;
    if (compression != kRgb && !(masked && (b == 16 || b == 32)))
        Refuse(path, "komprimované obrázky BMP (typ " + std::to_string(compression) + ") nejsou podporovány");
    if (b == 16 || b == 32) ReadMasks(path, layout, bytes, size, compression, infoSize);
    CheckPalette(path, layout, colours);
    return layout;
}

Bitmap DecodeBmp(const std::string& path, const BmpLayout& layout, const unsigned char* bytes, std::size_t size)
{
    if (size < layout.DataEnd())
        throw FileError("Obrázek " + path + " je poškozený: soubor má " + std::to_string(size) +
                        " bajtů, jeho obrazová data končí až na bajtu " + std::to_string(layout.DataEnd()) + ".");
    const unsigned char* palette = bytes + layout.PaletteStart;
    const Channel red = MaskChannel(layout.Masks[0]), green = MaskChannel(layout.Masks[1]), blue = MaskChannel(layout.Masks[2]);
    Bitmap picture(layout.Width, layout.Height);
    for (int fileRow = 0; fileRow < layout.Height; ++fileRow) {
        const unsigned char* in = bytes + layout.PixelOffset + layout.Stride() * std::size_t(fileRow);
        uint8_t* out = picture.ScanLine(layout.TopDown ? fileRow : layout.Height - 1 - fileRow);
        for (int x = 0; x < layout.Width; ++x, out += 3) {
            if (layout.Bits <= 8) {
                const int perByte = 8 / layout.Bits;
                const int shift = 8 - layout.Bits * (x % perByte + 1);
                const int index = (in[x / perByte] >> shift) & ((1 << layout.Bits) - 1);
                if (index >= layout.PaletteEntries)
                    Refuse(path, "obrazový bod odkazuje na barvu " + std::to_string(index) + " mimo paletu o " +
                                     std::to_string(layout.PaletteEntries) + " barvách");
                std::copy_n(palette + std::size_t(index) * layout.PaletteEntrySize, 3, out);
            } else if (layout.Bits == 24) {
                std::copy_n(in + 3 * std::size_t(x), 3, out);
            } else {
                const int n = layout.Bits / 8;
                const uint32_t pixel = Le(in, std::size_t(x) * n, n);
                out[0] = Extract(pixel, blue);
                out[1] = Extract(pixel, green);
                out[2] = Extract(pixel, red);
            }
        }
    }
    return picture;
}

}  // namespace lumera
