#include "mask_step.h"

#include "commands.h"
#include "whole_number.h"

namespace lumera::cli {

namespace {

MaskBrightness BrightnessOf(const std::string& name)
{
    if (name == "b1-65") return MaskBrightness::Bands1To65;
    if (name == "b19") return MaskBrightness::Band19;
    return MaskBrightness::Bands1To35;
}

// The messages of the checks that stopped the masking or either analysis.
std::string StopMessages(const MaskResult& result)
{
    std::string messages = result.Stopped;
    for (const AnalysisResult* analysis : {&result.Ndvi, &result.Needle})
        if (!analysis->Ran()) messages += (messages.empty() ? "" : "\n") + analysis->Stopped;
    return messages;
}

// 5 ... 95 in steps of 5, as the share spin edit allows.
CLI::Validator ShareValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto share = WholeNumber(text);
            return share && *share >= 5 && *share <= 95 && *share % 5 == 0 ? "" : "must be 5 ... 95 in steps of 5";
        },
        "5..95 STEP 5");
}

}  // namespace

void AddMaskOptions(CLI::App& command, MaskOptions& o)
{
    AddNdviOptions(command, o.ndvi);
    AddNeedleOptions(command, o.needle);
    command.add_option("--ndvi-share", o.ndviShare, "Share of the NDVI picture in percent, 5 ... 95 in steps of 5 (50)")
        ->check(ShareValidator());
    command.add_option("--brightness", o.brightness, "b1-35|b1-65|b19 (b1-35)")
        ->check(CLI::IsMember({"b1-35", "b1-65", "b19"}));
}

PreparedMask PrepareMask(const MaskOptions& o, const std::string& programDir)
{
    PreparedMask mask;
    mask.Settings.Ndvi = ToNdviSettings(o.ndvi);
    mask.Settings.Needle = PrepareNeedle(o.needle, programDir, mask.State);
    mask.Settings.IndexShare = o.ndviShare;
    mask.Settings.SpectraShare = 100 - o.ndviShare;
    mask.Settings.Brightness = BrightnessOf(o.brightness);
    return mask;
}

MaskStep RunMaskStep(const TData& cube, const PreparedMask& mask)
{
    MaskStep step;
    step.Result = RunMask(cube, mask.State, mask.Settings, step.Picture);
    const std::string stopped = StopMessages(step.Result);
    if (!stopped.empty()) throw CheckFailed(stopped);
    return step;
}

}  // namespace lumera::cli
