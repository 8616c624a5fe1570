#include <charconv>

#include "commands.h"
#include "data/cutout_file.h"
#include "imaging/bmp_file.h"
#include "spectral_options.h"

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
            int share = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), share);
            const bool valid = error == std::errc() && end == text.data() + text.size();
            return valid && share >= 5 && share <= 95 && share % 5 == 0 ? "" : "must be 5 ... 95 in steps of 5";
        },
        "5..95 STEP 5");
}

}  // namespace

void AddMaskCommand(CLI::App& app, const GlobalOptions& global, CommandAction& action)
{
    auto* sub = app.add_subcommand("mask", "The masking (\"Odmaskovat\") of the NDVI and needle pictures");
    struct Options {
        std::string cutout, output;
        NdviOptions ndvi;
        NeedleOptions needle;
        int ndviShare = 50;
        std::string brightness = "b1-35";
    };
    auto o = std::make_shared<Options>();
    sub->add_option("CUTOUT", o->cutout, "Cut-out file")->required();
    sub->add_option("-o", o->output, "Output picture (BMP)")->required();
    AddNdviOptions(*sub, o->ndvi);
    AddNeedleOptions(*sub, o->needle);
    sub->add_option("--ndvi-share", o->ndviShare, "Share of the NDVI picture in percent, 5 ... 95 in steps of 5 (50)")
        ->check(ShareValidator());
    sub->add_option("--brightness", o->brightness, "b1-35|b1-65|b19 (b1-35)")
        ->check(CLI::IsMember({"b1-35", "b1-65", "b19"}));
    sub->callback([o, &global, &action] {
        action = [o, &global] {
            MaskSettings settings;
            settings.Ndvi = ToNdviSettings(o->ndvi);
            SpectralState state;
            settings.Needle = PrepareNeedle(o->needle, global.programDir, state);
            settings.IndexShare = o->ndviShare;
            settings.SpectraShare = 100 - o->ndviShare;
            settings.Brightness = BrightnessOf(o->brightness);
            Bitmap picture;
            const MaskResult result = RunMask(ReadCutout(o->cutout), state, settings, picture);
            const std::string stopped = StopMessages(result);
            if (!stopped.empty()) throw CheckFailed(stopped);
            WriteBmp(o->output, picture);
            PrintJson({{"min", result.Min}, {"max", result.Max}});
            return 0;
        };
    });
}

}  // namespace lumera::cli
