#include "pipeline_options.h"

#include "delineate_step.h"
#include "filter_option.h"

namespace lumera::cli {

void AddPipelineOptions(CLI::App& sub, PipelineOptions& o)
{
    AddMaskOptions(sub, o.mask);
    AddEqualizeOptions(sub, o.window);
    sub.add_option("--method", o.method,
                   "specified (maxima and the crown chain) or scale (the scale-based delineation) (specified)")
        ->check(CLI::IsMember({"specified", "scale"}));
    AddCrownRadiusOption(sub, o.crownRadius, "Crown radius in pixels for scale (estimated)");
    AddSearchRuleOptions(sub, o.search);
    AddFilterOption(sub, o.crowns.filter, true);
    AddCrownOptions(sub, o.crowns);
    sub.add_option("--background", o.background, "Picture the network is built on (BMP; default: the equalized picture)");
}

}  // namespace lumera::cli
