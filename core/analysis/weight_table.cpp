#include "analysis/weight_table.h"

#include "data/number_format.h"
#include "analysis/band_vector.h"

namespace lumera {

std::vector<std::vector<std::string>> NewWeightGrid(const TBandTable& bands, char decimalSeparator)
{
    std::vector<std::vector<std::string>> grid(kWeightGridRows, std::vector<std::string>(kWeightGridColumns));
    for (int i = 0; i < kSpectralBands; ++i) {
        const GridCell weight = WeightCell(i);
        const int band = i + 2;
        grid[weight.Row - 2][weight.Column] = std::string("band").append(std::to_string(band));
        grid[weight.Row - 1][weight.Column] = FormatNumber(1000 * bands[band - 1].Center, decimalSeparator);
        grid[weight.Row][weight.Column].assign(1, '1');
    }
    return grid;
}

ParsedWeights ParseWeights(const std::vector<std::string>& texts, char decimalSeparator)
{
    ParsedWeights parsed;
    parsed.Weights.resize(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!ParseNumber(texts[i], decimalSeparator, parsed.Weights[i])) {
            parsed.Bad = texts[i];
            parsed.Weights.clear();
            break;
        }
    return parsed;
}

std::string NotANumberMessage(const std::string& text)
{
    std::string message = "\"";
    return message.append(text).append("\" není platné číslo.");
}

bool UsesMemory(WeightOperation operation)
{
    return operation == WeightOperation::ProductWithMemory || operation == WeightOperation::SumWithMemory;
}

SpectralVector ApplyWeightOperation(const SpectralVector& x, WeightOperation operation,
                                    const SpectralVector& memory, Reporter& reporter)
{
    switch (operation) {
    case WeightOperation::Power: return Multiply(x, x, reporter);
    case WeightOperation::OneMinus: {
        SpectralVector y = x;
        for (double& v : y) v = 1.0 - v;
        return y;
    }
    case WeightOperation::ProductWithMemory: return Multiply(x, memory, reporter);
    case WeightOperation::SumWithMemory: return Add(x, memory, reporter);
    case WeightOperation::None: break;
    }
    return x;
}

SpectralVector& CustomFunction(SpectralState& state, WeightEditorMode mode)
{
    return mode == WeightEditorMode::Weight ? state.CustomWeight : state.CustomCounterWeight;
}

bool StoreCustomFunction(SpectralState& state, WeightEditorMode mode, SpectralVector weights)
{
    if (!TryNormalisePeak(weights)) return false;
    CustomFunction(state, mode) = std::move(weights);
    state.CustomFunctionSet = true;
    return true;
}

}  // namespace lumera
