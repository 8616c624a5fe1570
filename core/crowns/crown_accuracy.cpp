#include "crowns/crown_accuracy.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumera {

namespace {

struct Candidate {
    double IoU;
    int32_t Found, True;
};

std::map<int32_t, int64_t> Areas(const TTreeMatrix& m)
{
    std::map<int32_t, int64_t> areas;
    for (int32_t v : m.Values)
        if (v >= 1) ++areas[v];
    return areas;
}

std::vector<Candidate> Candidates(const TTreeMatrix& found, const TTreeMatrix& truth, const IoURule& rule)
{
    std::map<std::pair<int32_t, int32_t>, int64_t> overlaps;
    for (std::size_t i = 0; i < found.Values.size(); ++i)
        if (found.Values[i] >= 1 && truth.Values[i] >= 1) ++overlaps[{found.Values[i], truth.Values[i]}];
    const auto foundAreas = Areas(found), trueAreas = Areas(truth);
    std::vector<Candidate> candidates;
    for (const auto& [pair, overlap] : overlaps) {
        const int64_t unionArea = foundAreas.at(pair.first) + trueAreas.at(pair.second) - overlap;
        const double iou = static_cast<double>(overlap) / static_cast<double>(unionArea);
        if (rule.Passes(iou)) candidates.push_back({iou, pair.first, pair.second});
    }
    // Best pairs first; equal IoU in number order, so the result never depends on hashing.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.IoU > b.IoU; });
    return candidates;
}

}  // namespace

CrownAccuracy EvaluateCrowns(const TTreeMatrix& found, const TTreeMatrix& truth, const IoURule& rule)
{
    if (found.Width != truth.Width || found.Height != truth.Height)
        throw std::invalid_argument("Matice mají různé rozměry: " + std::to_string(found.Width) + " x " +
                                    std::to_string(found.Height) + " a " + std::to_string(truth.Width) + " x " +
                                    std::to_string(truth.Height) + ".");
    CrownAccuracy result;
    result.Found = static_cast<int32_t>(Areas(found).size());
    result.True = static_cast<int32_t>(Areas(truth).size());
    std::set<int32_t> usedFound, usedTrue;
    double iouSum = 0;
    for (const Candidate& c : Candidates(found, truth, rule)) {
        if (usedFound.count(c.Found) || usedTrue.count(c.True)) continue;
        usedFound.insert(c.Found);
        usedTrue.insert(c.True);
        ++result.Matched;
        iouSum += c.IoU;
    }
    if (result.Found > 0) result.Precision = double(result.Matched) / result.Found;
    if (result.True > 0) result.Recall = double(result.Matched) / result.True;
    if (result.Precision + result.Recall > 0)
        result.F1 = 2 * result.Precision * result.Recall / (result.Precision + result.Recall);
    if (result.Matched > 0) result.MeanIoU = iouSum / result.Matched;
    return result;
}

}  // namespace lumera
