#include "scene_options.h"

#include <iostream>

#include "mapping/value_scaling.h"
#include "scene_refusal.h"

namespace lumera::cli {

void AddSceneOptions(CLI::App* sub, ImportOptions& options)
{
    sub->add_option_function<std::string>(
        "--wavelengths", [&options](const std::string& path) { options.Wavelengths = path; },
        "File of the scene's band centres, one a line, nm or µm (default: the scene's metadata)");
    sub->add_option_function<std::string>(
        "--scale",
        [&options](const std::string& k) {
            options.Scale = ParseCountScale(k);
            if (!options.Scale) throw CLI::ValidationError("--scale", CountScaleRefusal(k));
        },
        "Counts per scene value (default: 10000 for reflectance 0…1, else 1)");
    sub->add_flag("--allow-partial", options.AllowPartial, "Fill bands the scene does not cover with 0");
}

int RunSceneCommand(const std::function<int()>& command)
{
    try {
        return command();
    } catch (const SceneRefusal& e) {
        throw CheckFailed(e.what());
    }
}

void PrintNotes(const std::vector<std::string>& notes)
{
    for (const std::string& note : notes) std::cerr << note << '\n';
}

}  // namespace lumera::cli
