#include "crowns_dump.h"

#include <cstdio>
#include <filesystem>

#include "data/atomic_file.h"
#include "extrema/extrema_file.h"
#include "imaging/bmp_file.h"

namespace lumera::cli {

namespace {

std::string Exact(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

void WriteNetworkText(const std::string& path, const TNetwork& network)
{
    WriteFileAtomically(path, [&](std::ostream& out) {
        for (const TMBod& p : network) {
            out << p.X << ' ' << p.Y << ' ' << p.NeighbourCount << ' ' << Exact(p.NormalX) << ' ' << Exact(p.NormalY);
            for (int32_t j : p.Neighbours) out << ' ' << j;
            out << "\r\n";
        }
    });
}

TExtremaList Positions(const TNetwork& network)
{
    TExtremaList points;
    points.reserve(network.size());
    for (const TMBod& p : network) points.push_back({p.X, p.Y});
    return points;
}

}  // namespace

void WriteCrownDump(const std::string& folder, const TCrownChainResult& result)
{
    const std::filesystem::path dir(folder);
    WriteTreeMatrix((dir / "labels.dat").string(), result.State.VoroMatrix);
    WriteNetworkText((dir / "boundary.txt").string(), result.FirstNetwork);
    WriteExtremaFile((dir / "moved.txt").string(), Positions(result.FirstMoves));
    WriteBmp((dir / "network.bmp").string(), result.FirstConnection);
}

}  // namespace lumera::cli
