#include "crowns/crown_chain.h"

#include "crowns/boundary.h"
#include "crowns/connection.h"
#include "crowns/neighbours.h"
#include "crowns/voronoi.h"
#include "extrema/brightness.h"

namespace lumera {

namespace {

// "Sousedi" and "Směry".
void LinkAndOrient(TNetwork& network)
{
    FindNeighbours(network);
    ComputeNormals(network);
}

// A move and "Propojit" into the right picture.
void MoveAndConnect(TCrownState& state, std::optional<int> steps, Bitmap& right)
{
    state.MovedPoints = MovePoints(state.BoundaryPoints, state.FilteredImage, steps);
    ConnectNetwork(right, state.MovedPoints, state.FilteredImage.Width, state.FilteredImage.Height);
}

}  // namespace

TCrownChainResult RunCrownChain(const TExtremaList& maxima, const Bitmap& background, const Bitmap& equalized,
                                const TCrownChainSettings& settings)
{
    TCrownChainResult result;
    TCrownState& state = result.State;
    state.FilteredImage = FilteredBrightness(background, settings.Filter);
    state.MaxPoints = maxima;
    state.VoroMatrix = VoronoiLabels(maxima, background.Width(), background.Height());
    state.BoundaryPoints = ExtractBoundary(state.VoroMatrix);
    LinkAndOrient(state.BoundaryPoints);
    result.FirstNetwork = state.BoundaryPoints;

    Bitmap right(background.Width(), background.Height());
    MoveAndConnect(state, settings.MoveSteps, right);
    result.FirstMoves = state.MovedPoints;
    result.FirstConnection = right;
    for (int cycle = 0; cycle < settings.Cycles; ++cycle) {
        state.BoundaryPoints = BoundaryFromPicture(right);
        LinkAndOrient(state.BoundaryPoints);
        MoveAndConnect(state, settings.CycleMoveSteps, right);
    }

    // The equalized picture goes into the left picture. The right one then
    // takes its size, but whatever it gains is black (no barrier) and the
    // overlay repaints all of it, so the network picture is used as it is.
    state.TreeMatrix = GrowTrees(equalized, right, maxima, settings.Threshold);
    result.Overlay = equalized;
    PaintTreesOverlay(result.Overlay, equalized, *state.TreeMatrix);
    result.Network = std::move(right);
    return result;
}

}  // namespace lumera
