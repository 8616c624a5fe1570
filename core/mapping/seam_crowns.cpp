#include "mapping/seam_crowns.h"

#include <algorithm>
#include <map>

namespace lumera {

std::vector<std::vector<int64_t>> TreePixelsInScene(const TTreeMatrix& trees, const PixelRect& window, int sceneWidth,
                                                    const std::vector<int32_t>& wanted)
{
    std::vector<std::vector<int64_t>> pixels(wanted.size());
    std::map<int32_t, std::size_t> slot;
    for (std::size_t i = 0; i < wanted.size(); ++i) slot[wanted[i]] = i;
    if (slot.empty()) return pixels;
    for (int y = 0; y < trees.Height; ++y)
        for (int x = 0; x < trees.Width; ++x) {
            const auto found = slot.find(trees.At(x, y));
            if (found != slot.end()) pixels[found->second].push_back(int64_t(window.Y + y) * sceneWidth + window.X + x);
        }
    return pixels;
}

std::vector<std::optional<std::size_t>> WholeVersionsOfCutCrowns(const std::vector<SeamCrown>& cut,
                                                                 const std::vector<SeamCrown>& whole)
{
    std::multimap<int64_t, std::size_t> wholeByTop;
    for (std::size_t w = 0; w < whole.size(); ++w) wholeByTop.emplace(whole[w].Top, w);
    std::vector<std::optional<std::size_t>> versions(cut.size());
    std::vector<bool> taken(whole.size(), false);
    for (std::size_t c = 0; c < cut.size(); ++c)
        for (const int64_t pixel : cut[c].Pixels) {
            const auto [first, last] = wholeByTop.equal_range(pixel);
            for (auto it = first; it != last && !versions[c]; ++it) {
                const SeamCrown& candidate = whole[it->second];
                if (taken[it->second] ||
                    !std::binary_search(candidate.Pixels.begin(), candidate.Pixels.end(), cut[c].Top))
                    continue;
                versions[c] = it->second;
                taken[it->second] = true;
            }
            if (versions[c]) break;
        }
    return versions;
}

}  // namespace lumera
